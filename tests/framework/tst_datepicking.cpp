#include "databaseengine.h"
#include "datepicking.h"
#include "dbhelpers.h"
#include "tdateform.h"
#include "shownwindow.h"
#include "testdatabase.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QPushButton *buttonWithText(QWidget *form, const QString &text)
{
    for (QPushButton *button : form->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestDatePicking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void pickDateStart_data();
    void pickDateStart();
    void pickDate_data();
    void pickDate();
    void renamedCloseButton();
    void dayConditionText_data();
    void dayConditionText();
    void standardConditionSelectsMonthAndDay();
    void pickDayCondition();
};

void TestDatePicking::pickDateStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    // The default date of every row is 2001-02-03; a null expectation means the text is
    // ignored and the calendar keeps its own date.
    QTest::newRow("empty text takes the default") << "" << QDate(2001, 2, 3);
    QTest::newRow("blank text takes the default") << "   " << QDate(2001, 2, 3);
    QTest::newRow("a date") << " 2023-11-05 " << QDate(2023, 11, 5);
    QTest::newRow("single-digit month and day") << "2023-1-5" << QDate(2023, 1, 5);
    QTest::newRow("time part is cut") << "2023-11-05 12:30:45" << QDate(2023, 11, 5);
    QTest::newRow("single-digit hour") << "2023-11-05 9:30" << QDate(2023, 11, 5);
    QTest::newRow("only a time leaves nothing") << "12:30" << QDate(2001, 2, 3);
    QTest::newRow("colon at the start") << ":30" << QDate(2001, 2, 3);
    QTest::newRow("impossible date") << "2023-02-30" << QDate();
    QTest::newRow("not a date") << "明天" << QDate();
}

void TestDatePicking::pickDateStart()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QCOMPARE(PickDateStart(text, QDate(2001, 2, 3)), expected);
}

void TestDatePicking::pickDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("step");  // a step button's text, empty for none
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QString>("expected");

    QTest::newRow("F3 takes the start date") << "2023-11-05 08:00" << "" << int(Qt::Key_F3) << "2023-11-05"
                                             << "2023-11-05";
    QTest::newRow("empty text starts on the default") << "" << "" << int(Qt::Key_F3) << "2010-07-08"
                                                      << "2010-07-08";
    QTest::newRow("next month") << "2023-11-05" << ">" << int(Qt::Key_F3) << "2023-12-05" << "2023-12-05";
    QTest::newRow("previous month clamps the day") << "2024-03-31" << "<" << int(Qt::Key_F3) << "2024-02-29"
                                                   << "2024-02-29";
    QTest::newRow("next year") << "2023-11-05" << ">>" << int(Qt::Key_F3) << "2024-11-05" << "2024-11-05";
    QTest::newRow("previous year") << "2023-11-05" << "<<" << int(Qt::Key_F3) << "2022-11-05" << "2022-11-05";
    QTest::newRow("F4 closes without a date") << "2023-11-05" << "" << int(Qt::Key_F4) << "2023-11-05" << "";
}

void TestDatePicking::pickDate()
{
    QFETCH(QString, text);
    QFETCH(QString, step);
    QFETCH(int, key);
    QFETCH(QString, shownTitle);
    QFETCH(QString, expected);

    QString title;
    bool found = false;
    whenShown<TDateForm>([&](TDateForm *form) {
        found = true;
        if (!step.isEmpty()) {
            if (QPushButton *button = buttonWithText(form, step))
                button->click();
        }
        title = form->titleText();
        QTest::keyClick(form, Qt::Key(key));
    });
    const QString result = PickDate(text, QDate(2010, 7, 8));
    QVERIFY(found);
    QCOMPARE(title, shownTitle);
    QCOMPARE(result, expected);
}

void TestDatePicking::renamedCloseButton()
{
    TDateForm form;
    form.setCloseButton(QStringLiteral("关闭[F12]"), QKeySequence(Qt::Key_F12));
    form.setSelectedDate(QDate(2020, 2, 29));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.closeButton()->text(), QStringLiteral("关闭[F12]"));
    QCOMPARE(form.titleText(), QStringLiteral("2020-02-29"));

    QTest::keyClick(&form, Qt::Key_F4);
    QVERIFY(form.isVisible());
    QTest::keyClick(&form, Qt::Key_F12);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
}

void TestDatePicking::dayConditionText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("standard without a connection") << int(urStandard) << QDate(1980, 5, 6)
                                                  << " (EXTRACT(MONTH FROM A.BIRTH_DATE) =05 AND "
                                                     "EXTRACT(DAY FROM A.BIRTH_DATE) = 06) ";
    QTest::newRow("sql server") << int(urSql_Server) << QDate(1980, 12, 31)
                                << " (DATEPART(MM, A.BIRTH_DATE) =12 AND DATEPART(DD, A.BIRTH_DATE) = 31) ";
    QTest::newRow("access has none") << int(urAccess) << QDate(1980, 5, 6) << "";
}

void TestDatePicking::dayConditionText()
{
    QFETCH(int, type);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(DayConditionText(QStringLiteral("A.BIRTH_DATE"), TSqlType(type), date, nullptr), expected);
}

void TestDatePicking::standardConditionSelectsMonthAndDay()
{
    TestDatabase database(TestDatabase::currentBackend());
    const SqlDialect &dialect = database.engine().dialect();
    QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("CREATE TABLE T_BIRTH (ID TEXT, BIRTH_DATE DATE)")));
    const QList<std::pair<QString, QDate>> rows = {
        {"A", QDate(1980, 5, 6)}, {"B", QDate(2001, 5, 6)}, {"C", QDate(1980, 6, 5)},
        {"D", QDate(1980, 5, 16)}, {"E", QDate(1980, 11, 6)}};
    for (const auto &[id, date] : rows) {
        QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO T_BIRTH VALUES ('%1', %2)")
                                                 .arg(id, dialect.date(date))));
    }

    const QString condition = DayConditionText(QStringLiteral("BIRTH_DATE"), urStandard, QDate(2024, 5, 6), &dialect);
    QVERIFY(condition.startsWith(QStringLiteral(" (") + dialect.extract(DatePart::Month, QStringLiteral("BIRTH_DATE"))
                                 + QStringLiteral(" =05 AND ")));
    QVERIFY(condition.endsWith(QStringLiteral(" = 06) ")));

    auto found = OpenSQL(MainDatabaseName, QStringLiteral("SELECT ID FROM T_BIRTH WHERE") + condition
                                               + QStringLiteral("ORDER BY ID"));
    QStringList ids;
    for (; !found->eof(); found->next())
        ids << found->text(0);
    QCOMPARE(ids, QStringList({"A", "B"}));
}

void TestDatePicking::pickDayCondition()
{
    TestDatabase database(TestDatabase::currentBackend());
    const QDate chosen(1999, 3, 4);
    whenShown<TDateForm>([&](TDateForm *form) {
        form->setSelectedDate(chosen);
        form->okButton()->click();
    });
    QString dateText;
    QString condition;
    QVERIFY(PickDayCondition(QStringLiteral("BIRTH_DATE"), urStandard, &dateText, &condition));
    QCOMPARE(dateText, QStringLiteral("1999-03-04"));
    QCOMPARE(condition, DayConditionText(QStringLiteral("BIRTH_DATE"), urStandard, chosen,
                                         &database.engine().dialect()));

    whenShown<TDateForm>([](TDateForm *form) { form->closeButton()->click(); });
    dateText = QStringLiteral("kept");
    condition = QStringLiteral("kept");
    QVERIFY(!PickDayCondition(QStringLiteral("BIRTH_DATE"), urSql_Server, &dateText, &condition));
    QCOMPARE(dateText, QStringLiteral("kept"));
    QCOMPARE(condition, QStringLiteral("kept"));
}

QTEST_MAIN(TestDatePicking)
#include "tst_datepicking.moc"
