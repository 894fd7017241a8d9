#include "databaseengine.h"
#include "dataset.h"
#include "dbhelpers.h"
#include "engineerror.h"
#include "sqldialect.h"
#include "sqliteengine.h"
#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QtTest>
#include <atomic>
#include <thread>

// What is particular to the SQLite file database: opening, releasing the file, waiting
// writers, packing and rebuilding, and the codes of the conditions.
class tst_SqliteEngine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> db;
    DatabaseEngine &engine() { return db->engine(); }
    const SqlDialect &dialect() { return engine().dialect(); }
    QString value(const QString &sql) { return GetFieldValue(MainDatabaseName, sql); }

private slots:
    void init() { db = std::make_unique<TestDatabase>(); }
    void cleanup() { db.reset(); }

    void codesOfTheConditions()
    {
        const EngineError duplicate(EngineCondition::DuplicateKey, "x", 1555);
        QCOMPARE(duplicate.entry().code, 9729);
        QCOMPARE(duplicate.entry().nativeCode, 0);
        const EngineError other(EngineCondition::Other, "x", 1);
        QCOMPARE(other.entry().nativeCode, 1);
        QCOMPARE(EngineError(EngineCondition::ChangedByOther, "x").entry().code, 10763);
    }

    // Another program copy holding a write transaction makes a writer wait, not fail.
    void secondWriterWaitsForTheFirst()
    {
        std::atomic<int> state = 0;  // 1: lock held, -1: could not take it
        std::thread holder([&] {
            {
                QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "holder");
                other.setDatabaseName(SqliteEngine::filePath(db->dataDir()));
                QSqlQuery query(other);
                if (!other.open() || !query.exec("BEGIN IMMEDIATE")
                    || !query.exec("DELETE FROM SYS_ID_TABLE WHERE NAME_ID = '车辆编号'")) {
                    state = -1;
                } else {
                    state = 1;
                    std::this_thread::sleep_for(std::chrono::milliseconds(400));
                    query.exec("COMMIT");
                }
                query = QSqlQuery();
                other.close();
            }
            QSqlDatabase::removeDatabase("holder");
        });
        while (state == 0)
            std::this_thread::yield();
        if (state < 0)
            holder.join();
        QCOMPARE(int(state), 1);
        QElapsedTimer waited;
        waited.start();
        engine().run("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('waiting','1')");
        holder.join();
        QVERIFY(waited.elapsed() >= 200);
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE NAME_ID IN ('车辆编号','waiting')"), QString("1"));
    }

    void missingOrBrokenFileFailsToOpen()
    {
        SqliteEngine missing("Missing", QDir(db->dataDir()).filePath("nowhere"));
        QCOMPARE(conditionOfOpen(missing), EngineCondition::OpenFailed);
        QVERIFY(!QFileInfo::exists(QDir(db->dataDir()).filePath("nowhere")));

        const QString brokenDir = QDir(db->dataDir()).filePath("broken");
        QDir().mkpath(brokenDir);
        QFile file(SqliteEngine::filePath(brokenDir));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        SqliteEngine broken("Broken", brokenDir);
        QCOMPARE(conditionOfOpen(broken), EngineCondition::OpenFailed);
    }

    void disconnectReleasesEveryFile()
    {
        auto open = OpenSQL(MainDatabaseName, "SELECT * FROM SYS_PROGRAM_TABLE");
        QVERIFY(!open->eof());
        QVERIFY(openFilesUnder(db->dataDir()) > 0);
        engine().disconnect();
        QCOMPARE(openFilesUnder(db->dataDir()), 0);
        open.reset();
        engine().connect();
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_COMPOSE_TABLE"), QString("4"));
    }

    void tablesPackVerifyAndRebuild()
    {
        const QStringList tables = engine().tableNames();
        QVERIFY(tables.contains("QX_CAR_WORK_TABLE"));
        QVERIFY(!tables.contains("sqlite_sequence"));
        for (int i = 0; i < 200; ++i)
            engine().run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_START_DATE) VALUES('%1','2024-01-01')").arg(i));
        engine().run("DELETE FROM QX_CAR_WORK_TABLE WHERE CAST(CAR_WORK_ID AS INTEGER) % 2 = 0");
        engine().pack();
        QCOMPARE(engine().verifyTable("QX_CAR_WORK_TABLE"), QStringList());
        engine().rebuild();
        QCOMPARE(value("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("100"));
        QCOMPARE(engine().verifyTable("QX_CAR_WORK_TABLE"), QStringList());
        QVERIFY(!QFileInfo::exists(SqliteEngine::filePath(db->dataDir()) + ".old"));

        const QList<ColumnInfo> columns = engine().columns("SYS_USER_TABLE");
        QCOMPARE(columns.first().name, QString("USE_ID"));
        QCOMPARE(columns.first().width, 6);
        QCOMPARE(columns.last().type, QString("DATE"));
    }

private:
    static EngineCondition conditionOfOpen(DatabaseEngine &engine)
    {
        try {
            engine.connect();
        } catch (const EngineError &error) {
            return error.condition();
        }
        return EngineCondition(-1);
    }

    static int openFilesUnder(const QString &dir)
    {
        const QString canonical = QFileInfo(dir).canonicalFilePath();
        int count = 0;
        const QDir fds("/proc/self/fd");
        for (const QString &fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget().startsWith(canonical + "/"))
                ++count;
        }
        return count;
    }
};

QTEST_GUILESS_MAIN(tst_SqliteEngine)
#include "tst_sqliteengine.moc"
