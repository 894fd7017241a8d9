#include "databaseengine.h"
#include "dbhelpers.h"
#include "engineerror.h"
#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QtTest>

// The query helpers' contracts: empty results, number reading, failures raised or
// swallowed, and the shapes of the row and table results.
class tst_DbHelpers : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    ScriptedMessages messages;

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init()
    {
        QFETCH_GLOBAL(QString, backend);
        db = std::make_unique<TestDatabase>(backend);
        messages.clear();
    }
    void cleanup() { db.reset(); }

    void emptyResults()
    {
        QCOMPARE(GetNumberValue(MainDatabaseName, "SELECT COUNT(*) FROM SYS_USER_TABLE"), 0.0);
        QCOMPARE(GetNumberValue(MainDatabaseName, "SELECT USE_ID FROM SYS_USER_TABLE"), 0.0);
        QCOMPARE(GetFieldValue(MainDatabaseName, "SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = 'X'"), QString());
        QVERIFY(GetRowValues(MainDatabaseName, "SELECT * FROM SYS_USER_TABLE").isNull());
        QVERIFY(!GetTableValues(MainDatabaseName, "SELECT * FROM SYS_USER_TABLE").isValid());
        QVERIFY(OpenSQL(MainDatabaseName, "SELECT * FROM SYS_USER_TABLE")->eof());
    }

    void valuesAndShapes()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,CAR_BUY_MONEY) VALUES('A','京A1',1234.5),('B','京B2',NULL)"));
        QCOMPARE(GetNumberValue(MainDatabaseName, "SELECT SUM(CAR_BUY_MONEY) FROM QX_CAR_TABLE"), 1234.5);
        QCOMPARE(GetFieldValue(MainDatabaseName, "SELECT CAR_BUY_MONEY FROM QX_CAR_TABLE WHERE CAR_RECORD_ID='A'"), QString("1234.5"));
        QCOMPARE(GetFieldValue(MainDatabaseName, "SELECT CAR_BUY_MONEY FROM QX_CAR_TABLE WHERE CAR_RECORD_ID='B'"), QString());
        QCOMPARE(GetNumberValue(MainDatabaseName, "SELECT CAR_ID FROM QX_CAR_TABLE WHERE CAR_RECORD_ID='A'"), 0.0);

        QCOMPARE(GetRowValues(MainDatabaseName, "SELECT CAR_ID FROM QX_CAR_TABLE ORDER BY 1").toString(), QString("京A1"));
        const QVariantList row = GetRowValues(MainDatabaseName, "SELECT CAR_ID, CAR_RECORD_ID FROM QX_CAR_TABLE ORDER BY 1").toList();
        QCOMPARE(row, QVariantList({"京A1", "A"}));

        QCOMPARE(GetTableValues(MainDatabaseName, "SELECT CAR_ID FROM QX_CAR_TABLE WHERE CAR_RECORD_ID='B'").toString(), QString("京B2"));
        const QVariantList table = GetTableValues(MainDatabaseName, "SELECT CAR_RECORD_ID, CAR_ID FROM QX_CAR_TABLE ORDER BY 1").toList();
        QCOMPARE(table.size(), 2);
        QCOMPARE(table.at(1).toList(), QVariantList({"B", "京B2"}));

        auto dataset = OpenSQL(MainDatabaseName, "SELECT CAR_ID FROM QX_CAR_TABLE ORDER BY 1");
        QCOMPARE(dataset->recordCount(), 2);
        QCOMPARE(dataset->text("CAR_ID"), QString("京A1"));
        dataset->next();
        dataset->next();
        QVERIFY(dataset->eof());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, dataset->value("NO_SUCH_FIELD"));
    }

    void failures()
    {
        QVERIFY(!ExecuteSQL(MainDatabaseName, "INSERT INTO NOWHERE VALUES(1)"));
        QVERIFY(!ExecuteSQL(MainDatabaseName, "THIS IS NOT SQL"));
        QVERIFY(messages.all.isEmpty());
        QVERIFY_THROWS_EXCEPTION(EngineError, OpenSQL(MainDatabaseName, "SELECT * FROM NOWHERE"));
        QVERIFY_THROWS_EXCEPTION(EngineError, GetFieldValue(MainDatabaseName, "SELEC 1"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, GetFieldValue("NoSuchDatabase", "SELECT 1"));
    }

    void formattedStatements()
    {
        QCOMPARE(FormatSql("UPDATE T SET %s = '%s' WHERE ID = %d AND P = 100%%", {"ADD_RIGHT", "是", 3}),
                 QString("UPDATE T SET ADD_RIGHT = '是' WHERE ID = 3 AND P = 100%"));
        QVERIFY_THROWS_EXCEPTION(ConvertError, FormatSql("%d", {"abc"}));
        QVERIFY_THROWS_EXCEPTION(ConvertError, FormatSql("%s %s", {"one"}));
        QVERIFY(ExecuteSQLFmt(MainDatabaseName, "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('%s','%s')", {"k", "v"}));
        QCOMPARE(GetFieldValueFmt(MainDatabaseName, "SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '%s'", {"k"}), QString("v"));
        QVERIFY(!ExecuteSQLFmt(MainDatabaseName, "SELECT %d", {"x"}));
    }
};

QTEST_GUILESS_MAIN(tst_DbHelpers)
#include "tst_dbhelpers.moc"
