#include "databaseengine.h"
#include "dataset.h"
#include "dbhelpers.h"
#include "engineerror.h"
#include "sqldialect.h"
#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QtTest>

// The engine layer on every backend: the local dialect's pieces, date storage, column
// widths, failure mapping and quoting. Each test runs once per backend.
class tst_DatabaseEngine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> db;
    DatabaseEngine &engine() { return db->engine(); }
    const SqlDialect &dialect() { return engine().dialect(); }
    QString value(const QString &sql) { return GetFieldValue(MainDatabaseName, sql); }

    EngineCondition conditionOf(const QString &sql, DatabaseEngine *on = nullptr)
    {
        try {
            (on ? *on : engine()).run(sql);
        } catch (const EngineError &error) {
            return error.condition();
        }
        return EngineCondition(-1);
    }

    void addWork(const QString &id, const QString &startDate, const QString &workId = QString())
    {
        engine().run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_START_DATE) VALUES(%1,%2,%3)")
                         .arg(sqlText(id), workId.isEmpty() ? QStringLiteral("NULL") : sqlText(workId),
                              dialect().date(QDate::fromString(startDate, Qt::ISODate))));
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init()
    {
        QFETCH_GLOBAL(QString, backend);
        db = std::make_unique<TestDatabase>(backend);
    }
    void cleanup() { db.reset(); }

    void dialectPieces()
    {
        const SqlDialect &d = dialect();
        const QString february = d.date(QDate(2024, 2, 9));
        const QList<QPair<QString, QString>> cases = {
            {d.extract(DatePart::Year, d.date(QDate(2024, 12, 31))), "2024"},
            {d.extract(DatePart::Month, february), "2"},
            {d.extract(DatePart::Day, february), "9"},
            {QStringLiteral("CASE WHEN %1 = 2 THEN 'yes' ELSE 'no' END").arg(d.extract(DatePart::Month, february)), "yes"},
            {d.substring("'2006000123'", 5, 10), "000123"},
            {d.substring("'2006000123'", 1, 4), "2006"},
            {d.date(QDate(2024, 5, 6)), "2024-05-06"},
            {QStringLiteral("coalesce(%1,'none')").arg(d.date(QDate())), "none"},
        };
        for (const auto &[expression, expected] : cases)
            QCOMPARE(value("SELECT " + expression), expected);
    }

    // Dates compare, sort and aggregate in calendar order across month and year ends, and
    // date parts work in conditions and groupings.
    void datesAreChronological()
    {
        addWork("A", "2023-12-31");
        addWork("B", "2024-01-01");
        addWork("C", "2024-02-29");
        addWork("D", "2023-02-01");
        QCOMPARE(value("SELECT MAX(WORK_START_DATE) FROM QX_CAR_WORK_TABLE"), QString("2024-02-29"));
        QCOMPARE(value("SELECT MIN(WORK_START_DATE) FROM QX_CAR_WORK_TABLE"), QString("2023-02-01"));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE WORK_START_DATE BETWEEN %1 AND %2")
                           .arg(dialect().date(QDate(2023, 12, 31)), dialect().date(QDate(2024, 1, 31)))), QString("2"));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE WORK_START_DATE > %1")
                           .arg(dialect().date(QDate(2023, 12, 30)))), QString("3"));

        auto rows = OpenSQL(MainDatabaseName, "SELECT CAR_WORK_ID FROM QX_CAR_WORK_TABLE ORDER BY WORK_START_DATE");
        QStringList order;
        for (; !rows->eof(); rows->next())
            order << rows->text(0);
        QCOMPARE(order, QStringList({"D", "A", "B", "C"}));

        auto years = OpenSQL(MainDatabaseName, QStringLiteral("SELECT %1 AS Y, COUNT(*) FROM QX_CAR_WORK_TABLE GROUP BY %1 ORDER BY 1")
                                                   .arg(dialect().extract(DatePart::Year, "WORK_START_DATE")));
        QCOMPARE(years->text(0) + ":" + years->text(1), QString("2023:2"));
        years->next();
        QCOMPARE(years->text(0) + ":" + years->text(1), QString("2024:2"));

        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE %1 <= 2023")
                           .arg(dialect().extract(DatePart::Year, "WORK_START_DATE"))), QString("2"));
    }

    // Statements of the shapes the screens use: LIKE, IN with a subquery, GROUP BY with
    // SUM/COUNT, the numbering MAX over a substring, and named parameters.
    void localDialectStatements()
    {
        addWork("C1", "2006-03-01", "2006000122");
        addWork("C2", "2006-04-01", "2006000123");
        addWork("C3", "2007-01-01", "2007000001");
        engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID) VALUES('V1','京A12345')");
        engine().run("UPDATE QX_CAR_WORK_TABLE SET CAR_RECORD_ID='V1', WORK_MONEY=10.5 WHERE CAR_WORK_ID IN ('C1','C2')");

        QCOMPARE(value(QStringLiteral("SELECT MAX(%1) From QX_CAR_WORK_TABLE WHERE %2= '2006'")
                           .arg(dialect().substring("WORK_ID", 5, 10), dialect().substring("WORK_ID", 1, 4))), QString("000123"));
        QCOMPARE(value("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE CAR_RECORD_ID IN (SELECT CAR_RECORD_ID FROM QX_CAR_TABLE WHERE CAR_ID LIKE '京A%')"),
                 QString("2"));
        QCOMPARE(value("SELECT SUM(WORK_MONEY) FROM QX_CAR_WORK_TABLE GROUP BY CAR_RECORD_ID HAVING COUNT(*) = 2"), QString("21"));

        QSqlQuery query(engine().database());
        QVERIFY(query.prepare("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE CAR_RECORD_ID = :CAR_RECORD_ID"));
        query.bindValue(":CAR_RECORD_ID", "V1");
        QVERIFY(query.exec() && query.next());
        QCOMPARE(query.value(0).toInt(), 2);
    }

    // Text that merely looks like a date is stored and read back unchanged; only date
    // columns take dates, and they refuse text that is not one.
    void dateLookingTextIsUntouched()
    {
        engine().run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,NOTE,WORK_START_TIME) VALUES('X','05/06/2024','12:30')");
        QCOMPARE(value("SELECT NOTE FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID='X'"), QString("05/06/2024"));
        QCOMPARE(value("SELECT WORK_START_TIME FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID='X'"), QString("12:30"));

        for (const char *bad : {"'05/06/2024'", "'2024-02-30'", "''", "'2024-13-01'"}) {
            bool refused = false;
            try {
                engine().run(QStringLiteral("UPDATE QX_CAR_WORK_TABLE SET WORK_END_DATE=%1").arg(QLatin1String(bad)));
            } catch (const ConvertError &error) {
                refused = error.message().contains("is not a valid date");
            }
            QVERIFY2(refused, bad);
        }
        QCOMPARE(value("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE WORK_END_DATE IS NULL"), QString("1"));
    }

    // Widths count GBK bytes: a Chinese character takes two.
    void widthsCountGbkBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fits");
        QTest::newRow("10 Chinese characters fill text(20)") << QString("张三李四王五赵六钱七") << true;
        QTest::newRow("11 Chinese characters do not") << QString("张三李四王五赵六钱七孙") << false;
        QTest::newRow("20 ASCII characters fill it") << QString("ABCDEFGHIJKLMNOPQRST") << true;
        QTest::newRow("21 ASCII characters do not") << QString("ABCDEFGHIJKLMNOPQRSTU") << false;
        QTest::newRow("mixed 19 + 1 Chinese overflows") << QString("ABCDEFGHIJKLMNOPQRS张") << false;
        QTest::newRow("mixed 18 + 1 Chinese fits") << QString("ABCDEFGHIJKLMNOPQR张") << true;
    }
    void widthsCountGbkBytes()
    {
        QFETCH(QString, name);
        QFETCH(bool, fits);
        const QString sql = QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME) VALUES('U1',%1)").arg(sqlText(name));
        if (fits) {
            engine().run(sql);
            QCOMPARE(value("SELECT USE_NAME FROM SYS_USER_TABLE"), name);
        } else {
            QCOMPARE(conditionOf(sql), EngineCondition::TooLarge);
            QCOMPARE(value("SELECT COUNT(*) FROM SYS_USER_TABLE"), QString("0"));
        }
    }

    // Every quoted value comes back exactly and never changes what a statement does.
    void quotedValuesRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << QString("O'Brien");
        QTest::newRow("injection") << QString("'; DROP TABLE SYS_USER_TABLE --");
        QTest::newRow("backslashes") << QString("C:\\data\\n\\'x");
        QTest::newRow("percent and underscore") << QString("50% _off_");
        QTest::newRow("Chinese with quotes") << QString("张'三\"李");
        QTest::newRow("double quotes") << QString("5'6\" tall");
    }
    void quotedValuesRoundTrip()
    {
        QFETCH(QString, text);
        engine().run(QStringLiteral("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,NOTE) VALUES('K1',%1)").arg(sqlText(text)));
        engine().run(QStringLiteral("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,NOTE) VALUES('K2','other')"));
        QCOMPARE(value(QStringLiteral("SELECT NOTE FROM QX_CAR_TABLE WHERE NOTE = %1").arg(sqlText(text))), text);
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_TABLE WHERE NOTE LIKE %1").arg(sqlLikeText(text, "", "%"))), QString("1"));
        QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM QX_CAR_TABLE WHERE NOTE = %1").arg(sqlText(text))));
        QCOMPARE(value("SELECT COUNT(*) FROM QX_CAR_TABLE"), QString("1"));
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_USER_TABLE"), QString("0"));
    }

    void likeWildcardsAreLiteralWhenEscaped()
    {
        engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,NOTE) VALUES('A','50%'),('B','500'),('C','5_0')");
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_TABLE WHERE NOTE LIKE %1").arg(sqlLikeText("50%", "", ""))), QString("1"));
        QCOMPARE(value(QStringLiteral("SELECT CAR_RECORD_ID FROM QX_CAR_TABLE WHERE NOTE LIKE %1").arg(sqlLikeText("5_", "", "%"))), QString("C"));
    }

    // The conditions SQLite itself can raise, provoked for real.
    void failuresMapOntoConditions()
    {
        engine().run("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME) VALUES('U1','A')");
        QCOMPARE(conditionOf("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME) VALUES('U1','B')"), EngineCondition::DuplicateKey);
        QCOMPARE(conditionOf("INSERT INTO QX_CAR_PICTURE_TABLE(CAR_RECORD_ID,CAR_PICTURE_ID) VALUES('V1','P1'),('V2','P1')"),
                 EngineCondition::DuplicateKey);
        QCOMPARE(conditionOf("UPDATE SYS_USER_TABLE SET USE_ID='1234567'"), EngineCondition::TooLarge);
        QCOMPARE(conditionOf("SELECT * FROM NO_SUCH_TABLE"), EngineCondition::Other);

        // A row still referenced through a declared foreign key.
        engine().run("CREATE TABLE T_PARENT(ID VARCHAR(4) PRIMARY KEY)");
        engine().run("CREATE TABLE T_CHILD(ID VARCHAR(4) REFERENCES T_PARENT(ID))");
        engine().run("INSERT INTO T_PARENT VALUES('P')");
        engine().run("INSERT INTO T_CHILD VALUES('P')");
        QCOMPARE(conditionOf("DELETE FROM T_PARENT"), EngineCondition::ReferencedRow);

        // Another program copy holds a lock: writing waits, then reports the database in use
        // instead of failing at once.
        DatabaseEngine &other = db->secondConnection();
        if (db->isServer()) {
            other.run("SET lock_timeout = 50");
            engine().run("BEGIN");
            engine().run("LOCK TABLE SYS_USER_TABLE IN EXCLUSIVE MODE");
        } else {
            other.run("PRAGMA busy_timeout=50");
            engine().run("BEGIN IMMEDIATE");
        }
        QCOMPARE(conditionOf("INSERT INTO SYS_USER_TABLE(USE_ID) VALUES('U2')", &other), EngineCondition::TablesOpen);
        engine().run("ROLLBACK");
        other.run("INSERT INTO SYS_USER_TABLE(USE_ID) VALUES('U2')");
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_USER_TABLE"), QString("2"));
    }

};

QTEST_GUILESS_MAIN(tst_DatabaseEngine)
#include "tst_databaseengine.moc"
