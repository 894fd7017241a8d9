#include "databaseengine.h"
#include "dbhelpers.h"
#include "programparameters.h"
#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QtTest>

class TestProgramParameters : public QObject
{
    Q_OBJECT

private slots:
    void readsValuesAndSwitches_data();
    void readsValuesAndSwitches();
    void writeUpdatesOrAdds_data();
    void writeUpdatesOrAdds();
    void failedWriteWarns_data();
    void failedWriteWarns();
};

void TestProgramParameters::readsValuesAndSwitches_data()
{
    TestDatabase::addBackendRows();
}

void TestProgramParameters::readsValuesAndSwitches()
{
    QFETCH(QString, backend);
    TestDatabase db(backend);
    ExecuteSQL(MainDatabaseName, QStringLiteral("UPDATE SYS_ID_TABLE SET AUTO_ID = '是 ' WHERE NAME_ID = '员工编号'"));

    QCOMPARE(ReadParameter(QStringLiteral("车辆显示方式")), QStringLiteral("1"));
    QCOMPARE(ReadParameter(QStringLiteral("没有这个参数")), QString());
    QCOMPARE(ReadSwitch(QStringLiteral("车辆编号")), true);
    QCOMPARE(ReadSwitch(QStringLiteral("启动事务提醒")), false);
    QCOMPARE(ReadSwitch(QStringLiteral("没有这个参数")), false);
    QCOMPARE(ReadSwitch(QStringLiteral("员工编号")), false);  // only exactly "是" is on
}

void TestProgramParameters::writeUpdatesOrAdds_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    for (const QString &backend : TestDatabase::backends()) {
        const QByteArray tag = backend.toUtf8();
        QTest::newRow(tag + ": shipped row") << backend << QStringLiteral("车辆显示方式") << QStringLiteral("2");
        QTest::newRow(tag + ": quote in the value") << backend << QStringLiteral("启动事务提醒") << QStringLiteral("it's");
        QTest::newRow(tag + ": new row, quotes in both") << backend << QStringLiteral("O'Neil's 参数")
                                                          << QStringLiteral("a'b'' OR '1'='1");
    }
}

void TestProgramParameters::writeUpdatesOrAdds()
{
    QFETCH(QString, backend);
    QFETCH(QString, name);
    QFETCH(QString, value);
    TestDatabase db(backend);
    ScriptedMessages messages;

    QVERIFY(WriteParameter(name, QStringLiteral("first")));
    QVERIFY(WriteParameter(name, value));
    QCOMPARE(ReadParameter(name), value);
    const QVariant rows = GetRowValues(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE NAME_ID = ") + sqlText(name));
    QCOMPARE(rows.toInt(), 1);
    // Nothing else changed.
    QCOMPARE(ReadParameter(QStringLiteral("车辆编号")), QStringLiteral("是"));
    QVERIFY(messages.all.isEmpty());
}

void TestProgramParameters::failedWriteWarns_data()
{
    TestDatabase::addBackendRows();
}

void TestProgramParameters::failedWriteWarns()
{
    QFETCH(QString, backend);
    TestDatabase db(backend);
    ScriptedMessages messages;
    const QString tooWide(21, QChar(0x8F66));  // 42 GBK bytes; AUTO_ID holds 40

    QVERIFY(!WriteParameter(QStringLiteral("车辆编号"), tooWide));
    QVERIFY(!WriteParameter(QStringLiteral("新参数"), tooWide));
    QCOMPARE(messages.warnings, QStringList(2, QStringLiteral("参数保存过程发生错误")));
    QCOMPARE(ReadParameter(QStringLiteral("车辆编号")), QStringLiteral("是"));
    QCOMPARE(ReadParameter(QStringLiteral("新参数")), QString());
}

QTEST_GUILESS_MAIN(TestProgramParameters)
#include "tst_programparameters.moc"
