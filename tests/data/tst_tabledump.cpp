#include "apperror.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "tabledump.h"
#include "testdatabase.h"

#include <QTemporaryDir>
#include <QtTest>

// Tables carried between databases and engines through the portable table files.
class tst_TableDump : public QObject
{
    Q_OBJECT

    static QStringList rows(const QString &sql)
    {
        QStringList result;
        auto data = OpenSQL(MainDatabaseName, sql);
        for (; !data->eof(); data->next()) {
            QStringList values;
            for (int i = 0; i < data->fieldCount(); ++i)
                values << (data->value(i).isNull() ? "<null>" : data->text(i));
            result << values.join('|');
        }
        return result;
    }


    static const char *carRows() { return "SELECT CAR_RECORD_ID,CAR_ID,NOTE,CAR_BUY_DATE,CAR_BUY_MONEY,CAR_LOAD_NUMBER FROM QX_CAR_TABLE ORDER BY 1"; }

private slots:
    void roundTripBetweenBackends_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        for (const QString &from : TestDatabase::backends()) {
            for (const QString &to : TestDatabase::backends())
                QTest::newRow(qPrintable(from + " to " + to)) << from << to;
        }
    }
    void roundTripBetweenBackends()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTemporaryDir dir;
        QStringList carsBefore;
        QStringList programsBefore;
        {
            TestDatabase source(from);
            // SQLite's DATE literal is plain text; write dates the source's own way.
            QString sql = "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,NOTE,CAR_BUY_DATE,CAR_BUY_MONEY,CAR_LOAD_NUMBER) VALUES"
                          "('A','京A1','tab\there\\nnot a break\nreal break',%1,1234.56,0.1),"
                          "('B','O''Brien',NULL,NULL,NULL,3),"
                          "('C','\\N','',%2,-0.000001,1e15)";
            source.engine().run(sql.arg(source.engine().dialect().date(QDate(2024, 2, 29)), source.engine().dialect().date(QDate(1999, 12, 31))));
            source.engine().run("INSERT INTO QX_CAR_PICTURE_TABLE(CAR_RECORD_ID,CAR_PICTURE_ID,ORDER_ID) VALUES('A','P1',7)");
            carsBefore = rows(carRows());
            programsBefore = rows("SELECT * FROM SYS_PROGRAM_TABLE ORDER BY 1,2");
            QCOMPARE(TableDump::exportTables(source.engine(), dir.path()).size(), source.engine().tableNames().size());
        }
        TestDatabase target(to);
        target.engine().run("DELETE FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 4");
        target.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('OLD')");
        TableDump::importTables(target.engine(), dir.path());
        QCOMPARE(rows(carRows()), carsBefore);
        QCOMPARE(rows("SELECT * FROM SYS_PROGRAM_TABLE ORDER BY 1,2"), programsBefore);
        QCOMPARE(rows("SELECT ORDER_ID FROM QX_CAR_PICTURE_TABLE"), QStringList{"7"});
        QCOMPARE(carsBefore.at(1), QString("B|O'Brien|<null>|<null>|<null>|3"));
    }

    // A file that breaks half-way changes nothing.
    void aBrokenFileChangesNothing_data() { TestDatabase::addBackendRows(); }
    void aBrokenFileChangesNothing()
    {
        QFETCH(QString, backend);
        QTemporaryDir dir;
        TestDatabase db(backend);
        db.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('KEEP')");
        TableDump::exportTables(db.engine(), dir.path());
        QFile broken(dir.filePath("QX_CAR_TABLE.tbl"));
        QVERIFY(broken.open(QIODevice::Append));
        broken.write("only\tthree\tvalues\n");
        broken.close();
        db.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('NEW')");
        QVERIFY_THROWS_EXCEPTION(AppError, TableDump::importTables(db.engine(), dir.path()));
        QCOMPARE(rows("SELECT CAR_RECORD_ID FROM QX_CAR_TABLE ORDER BY 1"), QStringList({"KEEP", "NEW"}));
    }
};

QTEST_GUILESS_MAIN(tst_TableDump)
#include "tst_tabledump.moc"
