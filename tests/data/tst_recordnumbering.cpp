#include "databaseengine.h"
#include "dbhelpers.h"
#include "recordnumbering.h"
#include "testdatabase.h"

#include <QSet>
#include <QtTest>

// Record numbers: the statements of the three dialects, the next number after what is
// stored (empty tables, hand-typed values, year rollover, siblings), the index the
// statement runs over, and time-stamp keys that stay unique within a second.
class tst_RecordNumbering : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    static TInsertData entry(const QString &field, const QString &kind, int width, const QString &prefix = QString(),
                             const QString &where = QString())
    {
        TInsertData e;
        e.FieldName = field;
        e.Kind = kind;
        e.Width = width;
        e.Prefix = prefix;
        e.Where = where;
        return e;
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init()
    {
        QFETCH_GLOBAL(QString, backend);
        db = std::make_unique<TestDatabase>(backend);
    }
    void cleanup() { db.reset(); }

    void textStatements_data()
    {
        QTest::addColumn<int>("sqlType");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Y server") << int(urSql_Server) << "Y" << 10 << "" << "" << "2006"
                                  << "SELECT MAX(SubString(WORK_ID,5,10)) From QX_CAR_WORK_TABLE WHERE SubString(WORK_ID,1,4)= '2006'";
        QTest::newRow("Y access") << int(urAccess) << "y" << 10 << "" << "" << "2006"
                                  << "SELECT MAX(MID(WORK_ID,5,10)) From QX_CAR_WORK_TABLE WHERE MID(WORK_ID,1,4)= '2006'";
        QTest::newRow("M prefix") << int(urSql_Server) << "M" << 10 << "P" << "" << "200608"
                                  << "SELECT MAX(SubString(WORK_ID,8,10)) From QX_CAR_WORK_TABLE WHERE SubString(WORK_ID,2,6)= '200608'"
                                     " AND  SubString(WORK_ID,1,1) = 'P'";
        QTest::newRow("C prefix") << int(urAccess) << "C" << 5 << "AB" << "" << ""
                                  << "SELECT MAX(MID(WORK_ID,3,5)) From QX_CAR_WORK_TABLE WHERE MID(WORK_ID,1,2) = 'AB'";
        QTest::newRow("C no prefix, where") << int(urSql_Server) << "C" << 5 << "" << "STATUS = '未完工'" << ""
                                            << "SELECT MAX(SubString(WORK_ID,1,5)) From QX_CAR_WORK_TABLE WHERE STATUS = '未完工'";
        QTest::newRow("D where") << int(urSql_Server) << "D" << 12 << "" << "STATUS = '未完工'" << "20060831"
                                 << "SELECT MAX(SubString(WORK_ID,9,12)) From QX_CAR_WORK_TABLE WHERE SubString(WORK_ID,1,8)= '20060831'"
                                    " AND STATUS = '未完工'";
        QTest::newRow("C width 0") << int(urStandard) << "C" << 0 << "" << "  PRIOR_ID = 'G001'" << ""
                                   << "SELECT MAX(WORK_ID) From QX_CAR_WORK_TABLE WHERE   PRIOR_ID = 'G001'";
    }

    void textStatements()
    {
        QFETCH(int, sqlType);
        QFETCH(QString, kind);
        QFETCH(int, width);
        QFETCH(QString, prefix);
        QFETCH(QString, where);
        QFETCH(QString, fixed);
        QFETCH(QString, expected);
        const TInsertData e = entry("WORK_ID", kind, width, prefix, where);
        QCOMPARE(RecordNumbering::maxStatement(e, "QX_CAR_WORK_TABLE", TSqlType(sqlType), fixed), expected);
    }

    void textDialectCounter_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        // The counter part is read as if zeros followed a short one.
        QTest::newRow("empty") << "" << "2006000001";
        QTest::newRow("full") << "000123" << "2006000124";
        QTest::newRow("short") << "99" << "2006990001";
    }

    void textDialectCounter()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(RecordNumbering::nextIdentifier(entry("WORK_ID", "Y", 10), urSql_Server, "2006", stored), expected);
    }

    void nextNumber_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("expected");

        const QString work = "QX_CAR_WORK_TABLE";
        const QString car = "QX_CAR_TABLE";
        QTest::newRow("C empty") << car << "CAR_ORDER_ID" << "C" << 5 << "" << "" << QStringList() << "00001";
        QTest::newRow("C next") << car << "CAR_ORDER_ID" << "C" << 5 << "" << "" << QStringList{"00016", "00017"} << "00018";
        QTest::newRow("C typed values ignored") << car << "CAR_ORDER_ID" << "C" << 5 << "" << ""
                                                << QStringList{"00017", "A-12", "123", "9999999", "99"} << "00018";
        QTest::newRow("C prefix") << car << "CAR_ORDER_ID" << "C" << 4 << "B" << "" << QStringList{"B0009", "C0100", "B00100"} << "B0010";
        QTest::newRow("Y empty") << work << "WORK_ID" << "Y" << 10 << "" << "2006" << QStringList() << "2006000001";
        QTest::newRow("Y next") << work << "WORK_ID" << "Y" << 10 << "" << "2006"
                                << QStringList{"2005000999", "2006000122", "2006000045"} << "2006000123";
        QTest::newRow("Y new year") << work << "WORK_ID" << "Y" << 10 << "" << "2007"
                                    << QStringList{"2006000122", "2006999999"} << "2007000001";
        QTest::newRow("Y odd shapes") << work << "WORK_ID" << "Y" << 10 << "" << "2006"
                                      << QStringList{"2006000007", "2006000012345", "20069", "2006ABCDEF"} << "2006000008";
        QTest::newRow("M") << work << "WORK_ID" << "M" << 10 << "" << "200608" << QStringList{"2006080041", "2006070099"} << "2006080042";
        QTest::newRow("D prefix") << work << "WORK_ID" << "D" << 12 << "R" << "20060831"
                                  << QStringList{"R200608310009", "200608310050"} << "R200608310010";
    }

    void nextNumber()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, kind);
        QFETCH(int, width);
        QFETCH(QString, prefix);
        QFETCH(QString, fixed);
        QFETCH(QStringList, stored);
        QFETCH(QString, expected);
        const QString key = table == "QX_CAR_TABLE" ? "CAR_RECORD_ID" : "CAR_WORK_ID";
        int n = 0;
        for (const QString &value : stored)
            QVERIFY(ExecuteSQL(MainDatabaseName, QString("INSERT INTO %1(%2,%3) VALUES('K%4','%5')").arg(table, key, field).arg(++n).arg(value)));
        QCOMPARE(RecordNumbering::generate(MainDatabaseName, entry(field, kind, width, prefix), table, urStandard, fixed), expected);
    }

    void siblingsNumberedByWhere()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,PRIOR_ID,ORDER_ID) "
                                             "VALUES('A','G001',1),('B','G001',2),('C','A',7)"));
        const auto next = [](const QString &parent) {
            return RecordNumbering::generate(MainDatabaseName, entry("ORDER_ID", "C", 0, "", "  PRIOR_ID = '" + parent + "'"),
                                             "QX_CAR_TYPE_TABLE", urStandard, "");
        };
        QCOMPARE(next("G001"), QString("3"));
        QCOMPARE(next("A"), QString("8"));
        QCOMPARE(next("B"), QString("1"));
    }

    void counterFullGivesNothing()
    {
        QCOMPARE(RecordNumbering::nextIdentifier(entry("F", "C", 2), urStandard, "", "99"), QString());
        QCOMPARE(RecordNumbering::nextIdentifier(entry("F", "Y", 6), urStandard, "2006", "200698"), QString("200699"));
    }

    void statementUsesAnIndex()
    {
        const QString sql = RecordNumbering::maxStatement(entry("WORK_ID", "Y", 10), "QX_CAR_WORK_TABLE", urStandard, "2006");
        // The server plans a scan for a small table; forbid it to see whether an index serves.
        if (db->isServer())
            db->engine().run("SET enable_seqscan = off");
        auto plan = OpenSQL(MainDatabaseName, (db->isServer() ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") + sql);
        QStringList steps;
        for (; !plan->eof(); plan->next())
            steps << plan->text(plan->fieldCount() - 1);
        const QString text = steps.join(' ');
        QVERIFY2(text.contains("INDEX", Qt::CaseInsensitive), qPrintable(steps.join(" | ")));
        QVERIFY2(!text.contains("TEMP B-TREE") && !text.contains("Sort"), qPrintable(steps.join(" | ")));
        QVERIFY2(!text.contains("Seq Scan"), qPrintable(steps.join(" | ")));
    }

    void timeStampKeys_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("length");
        QTest::newRow("no prefix") << "" << 15;
        QTest::newRow("one letter") << "C" << 16;
        QTest::newRow("two letters") << "AB" << 16;
        QTest::newRow("no room for a sequence") << "ABCD" << 16;
    }

    void timeStampKeys()
    {
        QFETCH(QString, prefix);
        QFETCH(int, length);
        if (db->isServer())
            QSKIP("time-stamp keys do not depend on the backend, and never go back within a process");
        const QDateTime now(QDate(2006, 8, 31), QTime(14, 25, 3));
        QSet<QString> keys;
        for (int i = 0; i < 1500; ++i) {
            const QString key = RecordNumbering::timeStampKey(prefix, now);
            QCOMPARE(key.size(), length);
            QVERIFY(key.startsWith(prefix + "06083114"));
            keys.insert(key);
        }
        QCOMPARE(keys.size(), 1500);
    }
};

QTEST_GUILESS_MAIN(tst_RecordNumbering)
#include "tst_recordnumbering.moc"
