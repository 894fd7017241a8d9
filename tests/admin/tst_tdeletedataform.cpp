#include "admintestdata.h"
#include "appvalues.h"
#include "databaseengine.h"
#include "scriptedmessages.h"
#include "tdeletedataform.h"
#include "tqxmain.h"
#include "testdatabase.h"
#include "tyearform.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace AdminTestData;

// The deletion screen: year deletions with the records they carry along, "all data", the
// year dialog's checks and the add right.
class tst_TDeleteDataForm : public QObject
{
    Q_OBJECT

    static void grantAdd(DatabaseEngine &engine, const QString &add)
    {
        engine.run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,BROWSE_RIGHT) "
                   "SELECT ?,P.COMPOSE_ID,P.PROGRAM_ID,?,'是' FROM SYS_PROGRAM_TABLE P JOIN SYS_COMPOSE_TABLE C "
                   "ON C.COMPOSE_ID = P.COMPOSE_ID WHERE C.COMPOSE_NAME = '系统管理' AND P.PROGRAM_NAME = '过时数据删除'",
                   {App().UserID, add});
    }

    // Tasks, repairs, money entries (booked against tasks and repairs, or free) and
    // reminders around the year 2010.
    static void insertYears(DatabaseEngine &engine)
    {
        const SqlDialect &d = engine.dialect();
        const auto date = [&d](int y, int m, int day) { return d.date(QDate(y, m, day)); };
        engine.run(QString("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_START_DATE) VALUES"
                           "('T09','1',%1),('T10A','2',%2),('T10B','3',%3),('T11','4',%4)")
                       .arg(date(2009, 12, 31), date(2010, 1, 1), date(2010, 12, 31), date(2011, 1, 1)));
        engine.run(QString("INSERT INTO QX_CAR_REPAIR_TABLE(CAR_REPAIR_ID,REPAIR_ID,CAR_REPAIR_DATE) VALUES"
                           "('R10','1',%1),('R11','2',%2)").arg(date(2010, 6, 1), date(2011, 2, 1)));
        engine.run(QString("INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,CAR_WORK_ID,MONEY_DATE) VALUES"
                           "('M_T10A','T10A',%1),('M_T11','T11',%2),('M_R10','R10',%3),('M_FREE10',NULL,%4),"
                           "('M_FREE11','',%5)")
                       .arg(date(2012, 1, 1), date(2010, 5, 5), date(2010, 6, 1), date(2010, 3, 3), date(2011, 3, 3)));
        engine.run(QString("INSERT INTO QX_CAR_AWAKE_TABLE(AWAKE_ID,CAR_RECORD_ID,AWAKE_DATE) VALUES"
                           "('A10','C',%1),('A11','C',%2)").arg(date(2010, 12, 31), date(2011, 1, 1)));
    }

    static QStringList keys(DatabaseEngine &engine)
    {
        QStringList result;
        for (const char *sql : {"SELECT CAR_WORK_ID FROM QX_CAR_WORK_TABLE", "SELECT CAR_REPAIR_ID FROM QX_CAR_REPAIR_TABLE",
                                "SELECT MONEY_RECORD_ID FROM QX_INTO_OUT_MONEY_TABLE", "SELECT AWAKE_ID FROM QX_CAR_AWAKE_TABLE"}) {
            QSqlQuery query = engine.run(sql);
            while (query.next())
                result << query.value(0).toString();
        }
        result.sort();
        return result;
    }

    // Chooses `option` and confirms; a year dialog is answered with `year`.
    static void confirm(TDeleteDataForm &form, int option, const QString &year = {})
    {
        form.option(option)->setChecked(true);
        if (!year.isNull()) {
            QTimer::singleShot(0, &form, [&form, year] {
                TYearForm *dialog = form.yearForm();
                QVERIFY(dialog && dialog->isVisible());
                dialog->yearEdit()->setText(year);
                dialog->okButton()->click();
            });
        }
        form.okButton()->click();
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { App().UserID = QStringLiteral("U1"); }

    void yearDeletion_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("deleted");
        QTest::newRow("work tasks with their entries") << 1 << true
            << "共找到 3 个符合条件的纪录,以及与其相关的 1 个收支纪录,是否删除 ?" << QStringList{"M_T10A", "T09", "T10A", "T10B"};
        QTest::newRow("repairs with their entries") << 2 << true
            << "共找到 1 个符合条件的纪录,以及与其相关的 1 个收支纪录,是否删除 ?" << QStringList{"M_R10", "R10"};
        QTest::newRow("free money entries only") << 3 << true
            << "共找到 1 个符合条件的纪录,另有 2 个收支纪录属于现存的工作任务或维修纪录,不删除,是否删除 ?" << QStringList{"M_FREE10"};
        QTest::newRow("reminders") << 4 << true << "共找到 1 个符合条件的纪录,是否删除 ?" << QStringList{"A10"};
        QTest::newRow("answered No") << 1 << false
            << "共找到 3 个符合条件的纪录,以及与其相关的 1 个收支纪录,是否删除 ?" << QStringList{};
    }
    void yearDeletion()
    {
        QFETCH(int, option);
        QFETCH(bool, answer);
        QFETCH(QString, question);
        QFETCH(QStringList, deleted);
        TestDatabase db(TestDatabase::currentBackend());
        App().DataDir = db.isServer() ? QString() : db.dataDir();
        grantAdd(db.engine(), "是");
        insertYears(db.engine());
        QStringList expected = keys(db.engine());
        for (const QString &key : deleted)
            expected.removeOne(key);
        ScriptedMessages messages;
        messages.answers << answer;

        TDeleteDataForm form;
        form.show();
        QVERIFY(form.optionGroup()->isEnabled());
        confirm(form, option, "2010");
        QCOMPARE(messages.questions, QStringList{question});
        QCOMPARE(messages.warnings, answer ? QStringList{"数据成功删除"} : QStringList{});
        QCOMPARE(messages.errors, QStringList());
        QCOMPARE(keys(db.engine()), expected);
    }

    void yearDialogChecksTheYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << QStringList{"必须输入删除数据的年份"} << false;
        QTest::newRow("three digits") << "201" << QStringList{"错误的年份,正确的年份如2000年是:\"2000\""} << false;
        QTest::newRow("letters are not taken") << "20x0" << QStringList{"错误的年份,正确的年份如2000年是:\"2000\""} << false;
        QTest::newRow("four digits") << "2010" << QStringList{} << true;
    }
    void yearDialogChecksTheYear()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, warnings);
        QFETCH(bool, accepted);
        ScriptedMessages messages;
        TYearForm dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.yearEdit()->setFocus();
        QTest::keyClicks(dialog.yearEdit(), typed);
        // Enter moves on to "确定"; Enter there confirms.
        QTest::keyClick(dialog.yearEdit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.okButton()->hasFocus());
        QTest::keyClick(dialog.okButton(), Qt::Key_Return);
        QCOMPARE(messages.warnings, warnings);
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.isVisible(), !accepted);
        if (!accepted)
            QVERIFY(dialog.yearEdit()->hasFocus());
    }

    void allData_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void allData()
    {
        QFETCH(bool, answer);
        TestDatabase db(TestDatabase::currentBackend());
        App().DataDir = db.isServer() ? QString() : db.dataDir();
        grantAdd(db.engine(), "是");
        insertBusinessRows(db.engine());
        insertYears(db.engine());
        db.engine().run("INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID) VALUES('G001','E1')");
        db.engine().run("INSERT INTO QX_CAR_PICTURE_TABLE(CAR_RECORD_ID,CAR_PICTURE_ID,CAR_PICTURE) VALUES('CA','B0001','a.jpg')");
        db.engine().run("INSERT INTO QX_CAR_FILE_TABLE(FILE_RECORD_ID,CAR_RECORD_ID,FILE_SAVE_NAME) VALUES('B240101120000','CA','a.doc')");
        db.engine().run("INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID) VALUES('K1')");
        const QStringList stored{"B0001", "B240101120000", "UNRELATED"};
        if (!App().DataDir.isEmpty()) {
            for (const QString &name : stored)
                QVERIFY(writeFile(QDir(App().DataDir).filePath(name), "x"));
        }
        const QMap<QString, QStringList> before = allRows(db.engine());
        ScriptedMessages messages;
        messages.answers << answer;

        TDeleteDataForm form;
        form.show();
        confirm(form, 5);
        QCOMPARE(messages.questions, QStringList{"是否删除全部数据库资料 ?"});
        QCOMPARE(messages.warnings, answer ? QStringList{"数据成功删除"} : QStringList{});
        const QMap<QString, QStringList> after = allRows(db.engine());
        const QStringList emptied{"QX_CAR_AWAKE_TABLE", "QX_CAR_TABLE", "QX_EMPLOYEE_TABLE", "QX_CAR_WORK_TABLE",
                                  "QX_CAR_REPAIR_TABLE", "QX_INTO_OUT_MONEY_TABLE", "QX_CAR_PICTURE_TABLE", "QX_CAR_FILE_TABLE"};
        for (const QString &table : before.keys()) {
            if (answer && emptied.contains(table))
                QVERIFY2(after[table].isEmpty(), qPrintable(table));
            else
                QCOMPARE(after[table], before[table]);
        }
        if (!App().DataDir.isEmpty()) {
            QCOMPARE(QFileInfo::exists(QDir(App().DataDir).filePath("B0001")), !answer);
            QCOMPARE(QFileInfo::exists(QDir(App().DataDir).filePath("B240101120000")), !answer);
            QVERIFY(QFileInfo::exists(QDir(App().DataDir).filePath("UNRELATED")));
        }
    }

    void optionsNeedTheAddRight_data()
    {
        QTest::addColumn<QString>("add");
        QTest::newRow("held") << "是";
        QTest::newRow("not held") << "否";
    }
    void optionsNeedTheAddRight()
    {
        QFETCH(QString, add);
        TestDatabase db(TestDatabase::currentBackend());
        grantAdd(db.engine(), add);
        ScriptedMessages messages;
        TDeleteDataForm form;
        form.show();
        QCOMPARE(form.optionGroup()->isEnabled(), add == "是");
        form.okButton()->click();
        QCOMPARE(messages.warnings, QStringList{"必须选择一个删除选项"});
    }

    // Closing tells the main window's frame, which drops the screen and its exclusive flag.
    void closingReleasesTheMainWindow()
    {
        TestDatabase db(TestDatabase::currentBackend());
        QMainWindow window;
        auto *frame = new TQXMain(&window);
        auto *form = new TDeleteDataForm(&window);
        QPointer<TDeleteDataForm> alive(form);
        frame->ExclusiveOpen = true;
        QVERIFY(frame->ShowScreen(form, 90));
        frame->RegisterScreen("DeleteDataForm", form, [] {}, "过时数据删除");
        QVERIFY(frame->HasOpenScreens());
        form->closeButton()->click();
        QVERIFY(!frame->ExclusiveOpen);
        QVERIFY(!frame->HasOpenScreens());
        QTRY_VERIFY(alive.isNull());
    }
};

QTEST_MAIN(tst_TDeleteDataForm)
#include "tst_tdeletedataform.moc"
