#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "passwordhash.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "testdatabase.h"
#include "tenrolform.h"
#include "tsetautoidform.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QDate>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace {

using Inputs = QMap<QString, QString>;  // object name → text

const Inputs Complete = {
    {"EditCompanyName", "O'Brien 运输公司"}, {"EditPostcode", "100081"}, {"EditFax", "010-1234"},
    {"EditPhone", "010-5678"}, {"EditAddress", "北京市海淀区"}, {"EditUserID", "ADM"},
    {"EditUserName", "管理员"}, {"EditPassword", "s3cret"}, {"EditConfirmation", "s3cret"},
};

// Confirms the settings dialog as soon as the enrolment shows it (it runs modally).
class SettingsCloser
{
public:
    SettingsCloser()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *form = qobject_cast<TSetAutoIDForm *>(widget); form && form->isVisible()) {
                    shown = true;
                    QTest::keyClick(form, Qt::Key_Escape);
                }
            }
        });
        m_timer.start();
    }
    bool shown = false;

private:
    QTimer m_timer;
};

// Types text one character at a time the way an input method delivers it.
void typeText(QWidget *input, const QString &text)
{
    for (const QChar c : text) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(input, &commit);
    }
}

int count(const QString &sql)
{
    return GetRowValues(MainDatabaseName, sql).toInt();
}

} // namespace

class TestEnrolForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();
    void enrolsOnAnEmptyDatabase();
    void replacesTheUserAndKeepsOthers();
    void checksInputsInOrder_data();
    void checksInputsInOrder();
    void failedRightsLeaveEverythingAsItWas();
    void limitsInputWidths_data();
    void limitsInputWidths();
    void closeCancels();

private:
    void fill(TEnrolForm &form, const Inputs &inputs);
    void confirm(TEnrolForm &form);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedMessages> m_messages;
    QStringList m_opened;  // help files opened, with whether settings were shown first
    std::unique_ptr<SettingsCloser> m_closer;
};

void TestEnrolForm::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestEnrolForm::init()
{
    m_db = std::make_unique<TestDatabase>(TestDatabase::currentBackend());
    m_messages = std::make_unique<ScriptedMessages>();
    m_opened.clear();
    App().UserID = AppValues().UserID;
    App().HelpFile = QStringLiteral("/opt/ruvelo/路威车辆管理系统帮助.html");
    App().TodayText = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

void TestEnrolForm::cleanup()
{
    m_closer.reset();
    m_messages.reset();
    m_db.reset();
}

void TestEnrolForm::fill(TEnrolForm &form, const Inputs &inputs)
{
    for (auto it = inputs.begin(); it != inputs.end(); ++it)
        form.findChild<QLineEdit *>(it.key())->setText(it.value());
}

void TestEnrolForm::confirm(TEnrolForm &form)
{
    m_closer = std::make_unique<SettingsCloser>();
    QTest::keyClick(form.findChild<QLineEdit *>(QStringLiteral("EditConfirmation")), Qt::Key_F3);
}

void TestEnrolForm::enrolsOnAnEmptyDatabase()
{
    TEnrolForm form(nullptr, [this](const QString &file) {
        m_opened << file + (m_closer && m_closer->shown ? QStringLiteral(" after settings") : QString());
    });
    form.show();
    fill(form, Complete);
    confirm(form);

    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    QCOMPARE(m_opened, QStringList{App().HelpFile + QStringLiteral(" after settings")});
    QCOMPARE(m_messages->warnings, QStringList{QStringLiteral("您的用户名称是：管理员\n\r    用户编号是：ADM")});

    // Compared as text: the server gives a date column back as a date.
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(GetRowValues(MainDatabaseName,
                 QStringLiteral("SELECT COMPANY_ID,PRIOR_ID,ORDER_ID,COMPANY_NAME,COMPANY_POSTCODE,COMPANY_FAX,COMPANY_PHONE,"
                                "COMPANY_ADDRESS,CREATE_NAME,CREATE_DATE FROM SYS_COMPANY_TABLE")).toStringList(),
             (QStringList{"G001", "G002", "1", "O'Brien 运输公司", "100081", "010-1234", "010-5678", "北京市海淀区", "管理员", today}));
    const QStringList user = GetRowValues(MainDatabaseName,
        QStringLiteral("SELECT USE_NAME,SYS_USER,STOP_RIGHT,CREATE_NAME,CREATE_DATE,USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = 'ADM'")).toStringList();
    QCOMPARE(user.mid(0, 5), (QStringList{"管理员", "是", "有效", "管理员", today}));
    QVERIFY(user[5] != QLatin1String("s3cret"));
    QVERIFY(CheckPassword(QStringLiteral("s3cret"), user[5]));

    // One row per shipped program, every right granted.
    QCOMPARE(GetTableValues(MainDatabaseName, QStringLiteral("SELECT COMPOSE_ID,PROGRAM_ID FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADM' ORDER BY 1,2")),
             GetTableValues(MainDatabaseName, QStringLiteral("SELECT COMPOSE_ID,PROGRAM_ID FROM SYS_PROGRAM_TABLE ORDER BY 1,2")));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADM' AND ADD_RIGHT = '是' AND EDIT_RIGHT = '是' "
                                  "AND DELETE_RIGHT = '是' AND BROWSE_RIGHT = '是' AND PRINT_RIGHT = '是' AND VERIFY_RIGHT = '是' "
                                  "AND CURRENCY_RIGHT = '是'")), 17);

    QCOMPARE(App().UserID, QStringLiteral("ADM"));
    QCOMPARE(App().UserName, QStringLiteral("管理员"));
    QVERIFY(App().IsSystemUser);
    QCOMPARE(App().CompanyName, QStringLiteral("O'Brien 运输公司"));
    QVERIFY(SettingsStore::contains(QStringLiteral("RuveloImes")));
}

void TestEnrolForm::replacesTheUserAndKeepsOthers()
{
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,PRIOR_ID,ORDER_ID,COMPANY_NAME) VALUES('G001','X',7,'旧单位')"));
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES('ADM','旧名','old','否','停用')"));
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES('U02','李四','926','否','有效')"));
    for (const char *sql : {"INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT) VALUES('ADM',9,9,'否')",
                            "INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT) VALUES('U02',1,1,'否')",
                            "INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT) VALUES('U02',1,2,'是')"})
        QVERIFY(ExecuteSQL(MainDatabaseName, QString::fromUtf8(sql)));

    TEnrolForm form(nullptr, [](const QString &) {});
    form.show();
    Inputs inputs = Complete;
    inputs.remove(QStringLiteral("EditUserID"));
    fill(form, inputs);
    QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("EditUserID")), QStringLiteral("adm"));
    confirm(form);

    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_COMPANY_TABLE")), 1);
    QCOMPARE(GetRowValues(MainDatabaseName, QStringLiteral("SELECT PRIOR_ID,ORDER_ID,COMPANY_NAME FROM SYS_COMPANY_TABLE")).toList(),
             (QVariantList{"G002", 1, "O'Brien 运输公司"}));
    QCOMPARE(GetTableValues(MainDatabaseName, QStringLiteral("SELECT USE_ID,USE_NAME,SYS_USER,STOP_RIGHT FROM SYS_USER_TABLE ORDER BY USE_ID")).toList(),
             (QVariantList{QVariantList{"ADM", "管理员", "是", "有效"}, QVariantList{"U02", "李四", "否", "有效"}}));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADM'")), 17);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADM' AND COMPOSE_ID = 9")), 0);
    QCOMPARE(GetTableValues(MainDatabaseName, QStringLiteral("SELECT PROGRAM_ID,ADD_RIGHT FROM SYS_RIGHT_TABLE WHERE USE_ID = 'U02' ORDER BY 1")).toList(),
             (QVariantList{QVariantList{1, "否"}, QVariantList{2, "是"}}));
}

void TestEnrolForm::checksInputsInOrder_data()
{
    QTest::addColumn<QStringList>("blank");  // inputs left empty
    QTest::addColumn<QString>("mismatch");   // typed as the confirmation instead
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QStringList all = {"EditCompanyName", "EditPhone", "EditAddress", "EditUserID", "EditUserName", "EditPassword", "EditConfirmation"};
    QTest::newRow("everything empty") << all << "" << "必须输入企业名称" << "EditCompanyName";
    QTest::newRow("phone") << all.mid(1) << "" << "必须输入电话" << "EditPhone";
    QTest::newRow("address") << all.mid(2) << "" << "必须输入地址" << "EditAddress";
    QTest::newRow("user ID") << all.mid(3) << "" << "必须输入用户编号" << "EditUserID";
    QTest::newRow("user name") << all.mid(4) << "" << "必须输入用户姓名" << "EditUserName";
    QTest::newRow("password") << all.mid(5) << "" << "必须输入用户口令" << "EditPassword";
    QTest::newRow("confirmation") << all.mid(6) << "" << "必须确认用户口令" << "EditConfirmation";
    QTest::newRow("confirmation differs") << QStringList() << "s3cre" << "口令确认错误" << "EditPassword";
    QTest::newRow("blanks only") << QStringList() << "" << "必须输入地址" << "EditAddress";
}

void TestEnrolForm::checksInputsInOrder()
{
    QFETCH(QStringList, blank);
    QFETCH(QString, mismatch);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TEnrolForm form(nullptr, [this](const QString &file) { m_opened << file; });
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Inputs inputs = Complete;
    inputs.remove(QStringLiteral("EditPostcode"));  // postcode and fax may be empty
    inputs.remove(QStringLiteral("EditFax"));
    for (const QString &name : blank)
        inputs[name] = QString();
    if (!mismatch.isEmpty())
        inputs[QStringLiteral("EditConfirmation")] = mismatch;
    if (QTest::currentDataTag() == QLatin1String("blanks only"))
        inputs[QStringLiteral("EditAddress")] = QStringLiteral("   ");
    fill(form, inputs);
    confirm(form);

    QCOMPARE(m_messages->warnings, QStringList{message});
    QVERIFY(form.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_USER_TABLE")), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_COMPANY_TABLE")), 0);
    QVERIFY(m_opened.isEmpty());
}

void TestEnrolForm::failedRightsLeaveEverythingAsItWas()
{
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES('ADM','旧名','old','否','有效')"));
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT) VALUES('ADM',1,1,'否')"));
    // The last right of the enrolment is refused.
    const QString last = QStringLiteral("NEW.COMPOSE_ID = 4 AND NEW.PROGRAM_ID = 3");
    m_db->addTrigger(QStringLiteral("REFUSE_LAST"), QStringLiteral("BEFORE INSERT ON SYS_RIGHT_TABLE"),
                     m_db->isServer() ? QStringLiteral("IF %1 THEN RAISE EXCEPTION 'refused'; END IF").arg(last)
                                      : QStringLiteral("SELECT RAISE(ABORT, 'refused') WHERE %1").arg(last));

    TEnrolForm form(nullptr, [this](const QString &file) { m_opened << file; });
    form.show();
    fill(form, Complete);
    confirm(form);

    QCOMPARE(m_messages->warnings, QStringList{QStringLiteral("用户注册错误")});
    QVERIFY(form.isVisible());
    QVERIFY(!m_closer->shown);
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(GetRowValues(MainDatabaseName, QStringLiteral("SELECT USE_NAME,USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = 'ADM'")).toList(),
             (QVariantList{"旧名", "old"}));
    QCOMPARE(GetRowValues(MainDatabaseName, QStringLiteral("SELECT COMPOSE_ID,PROGRAM_ID,ADD_RIGHT FROM SYS_RIGHT_TABLE")).toList(),
             (QVariantList{1, 1, "否"}));
    QVERIFY(App().UserID != QLatin1String("ADM"));

    // Once the cause is gone, the same dialog enrols.
    m_db->engine().run(QStringLiteral("DROP TRIGGER REFUSE_LAST") + (m_db->isServer() ? QStringLiteral(" ON SYS_RIGHT_TABLE") : QString()));
    m_messages->clear();
    confirm(form);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADM'")), 17);
}

void TestEnrolForm::limitsInputWidths_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("user name: 10 GBK bytes") << "EditUserName" << "张三李四王五" << "张三李四王";
    QTest::newRow("user name: mixed") << "EditUserName" << "Li张三李四王" << "Li张三李四";
    QTest::newRow("user ID: capitals, 6") << "EditUserID" << "ab12cd34" << "AB12CD";
    QTest::newRow("postcode: capitals, 6") << "EditPostcode" << "ab1234567" << "AB1234";
    QTest::newRow("organisation: 40 GBK bytes") << "EditCompanyName" << QString(21, QChar(0x8F66)) << QString(20, QChar(0x8F66));
    QTest::newRow("password: 10 characters") << "EditPassword" << "12345678901" << "1234567890";
}

void TestEnrolForm::limitsInputWidths()
{
    QFETCH(QString, input);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TEnrolForm form;
    form.show();
    auto *edit = form.findChild<QLineEdit *>(input);
    typeText(edit, typed);
    QCOMPARE(edit->text(), kept);
}

void TestEnrolForm::closeCancels()
{
    TEnrolForm form(nullptr, [this](const QString &file) { m_opened << file; });
    form.show();
    fill(form, Complete);
    QTest::keyClick(form.findChild<QLineEdit *>(QStringLiteral("EditUserName")), Qt::Key_F4);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SYS_USER_TABLE")), 0);
    QVERIFY(m_messages->all.isEmpty());
}

QTEST_MAIN(TestEnrolForm)
#include "tst_tenrolform.moc"
