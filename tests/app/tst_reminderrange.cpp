#include "databaseengine.h"
#include "reminderrange.h"
#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QtTest>

// Active reminders around the turn of 2023/2024 (Monday 2024-01-01) and the end of
// February 2024 (Thursday 29th), with a void reminder on every boundary day.
class TestReminderRange : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void counts_data();
    void counts();
    void rangeCodes_data();
    void rangeCodes();
};

namespace {

const QStringList ActiveDates = {"2023-12-24", "2023-12-25", "2023-12-31", "2024-01-01", "2024-01-07",
                                 "2024-02-25", "2024-02-26", "2024-02-29", "2024-03-01", "2024-03-03"};
const QStringList VoidDates = {"2023-12-31", "2024-01-01", "2024-02-29", "2024-03-01"};

void fill(DatabaseEngine &engine)
{
    int key = 0;
    const auto add = [&](const QString &date, const QString &status) {
        engine.run(QStringLiteral("INSERT INTO QX_CAR_AWAKE_TABLE(AWAKE_ID,CAR_RECORD_ID,STATUS,AWAKE_DATE) VALUES(?,'C1',?,?)"),
                   {QStringLiteral("A%1").arg(++key), status, date});
    };
    for (const QString &date : ActiveDates)
        add(date, QStringLiteral("有效提醒"));
    for (const QString &date : VoidDates)
        add(date, QStringLiteral("作废提醒"));
}

} // namespace

void TestReminderRange::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestReminderRange::counts_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QList<int>>("counts");  // 到期, 今日, 本周, 本月

    QTest::newRow("Sunday 2023-12-31") << QDate(2023, 12, 31) << QList<int>{3, 1, 2, 3};
    QTest::newRow("Monday 2024-01-01") << QDate(2024, 1, 1) << QList<int>{4, 1, 2, 2};
    QTest::newRow("Thursday 2024-02-29") << QDate(2024, 2, 29) << QList<int>{8, 1, 4, 3};
    QTest::newRow("Friday 2024-03-01") << QDate(2024, 3, 1) << QList<int>{9, 1, 4, 2};
    QTest::newRow("a quiet day") << QDate(2024, 1, 20) << QList<int>{5, 0, 0, 2};
}

void TestReminderRange::counts()
{
    QFETCH(QDate, today);
    QFETCH(QList<int>, counts);
    TestDatabase db(TestDatabase::currentBackend());
    fill(db.engine());
    QList<int> found;
    for (int choice = 1; choice <= 4; ++choice)
        found << ReminderCount(choice, today);
    QCOMPARE(found, counts);
}

void TestReminderRange::rangeCodes_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QList<int>>("codes");  // for 到期, 今日, 本周, 本月
    QTest::addColumn<int>("warnings");

    QTest::newRow("all ranges have reminders") << QDate(2024, 2, 29) << QList<int>{0, 1, 4, 7} << 0;
    QTest::newRow("nothing today or this week") << QDate(2024, 1, 20) << QList<int>{0, -1, -1, 7} << 2;
    QTest::newRow("nothing at all yet") << QDate(2023, 1, 1) << QList<int>{-1, -1, -1, -1} << 4;
}

void TestReminderRange::rangeCodes()
{
    QFETCH(QDate, today);
    QFETCH(QList<int>, codes);
    QFETCH(int, warnings);
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    fill(db.engine());
    QList<int> found;
    for (int choice = 1; choice <= 4; ++choice)
        found << ReminderRangeCode(choice, today);
    QCOMPARE(found, codes);
    QCOMPARE(messages.warnings, QStringList(warnings, QStringLiteral("没有符合条件的事务提醒记录")));
}

QTEST_MAIN(TestReminderRange)
#include "tst_reminderrange.moc"
