#include "databaseengine.h"
#include "engineconfig.h"
#include "exceptionhandler.h"
#include "scriptedmessages.h"
#include "sqliteengine.h"
#include "testdatabase.h"

#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

// What the user sees for each kind of failure.
class tst_ExceptionHandler : public QObject
{
    Q_OBJECT

    ScriptedMessages messages;

    QStringList shown(const std::function<void()> &failing)
    {
        messages.clear();
        try {
            failing();
        } catch (...) {
            HandleCurrentException(nullptr);
        }
        return messages.all;
    }

private slots:
    void conditionsShowOnlyTheirMessage_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("message");
        QTest::newRow("referenced") << int(EngineCondition::ReferencedRow) << "其它的数据库表中存在对该纪录的引用,纪录不能删除";
        QTest::newRow("open") << int(EngineCondition::OpenFailed) << "数据库打开过程发生错误";
        QTest::newRow("duplicate") << int(EngineCondition::DuplicateKey) << "数据库主键重复";
        QTest::newRow("changed") << int(EngineCondition::ChangedByOther) << "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据";
        QTest::newRow("too large") << int(EngineCondition::TooLarge) << "数据太大,不能保存数据";
        QTest::newRow("tables open") << int(EngineCondition::TablesOpen) << "有未关闭的数据表";
    }
    void conditionsShowOnlyTheirMessage()
    {
        QFETCH(int, condition);
        QFETCH(QString, message);
        QCOMPARE(shown([&] { throw EngineError(EngineCondition(condition), "engine text", 19); }),
                 QStringList{"W:" + message});
        QVERIFY(!ErrorShown());
    }

    void untranslatedEngineErrorShowsDetails()
    {
        const QStringList all = shown([] { throw EngineError(EngineCondition::Other, "near \"SELEC\": syntax error", 1); });
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0), QString("W:数据库操作错误"));
        QCOMPARE(all.at(1), QString("E:EDBEngineError:ErrorCode: (0,0,0,1)\tnear \"SELEC\": syntax error\r"));
    }

    // A real duplicate key, raised by the engine, reaches the user as one warning.
    void realDuplicateKey_data() { TestDatabase::addBackendRows(); }
    void realDuplicateKey()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend);
        db.engine().run("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('x','1')");
        QCOMPARE(shown([&] { db.engine().run("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('x','2')"); }),
                 QStringList{"W:数据库主键重复"});
        // A date the engine refuses (the server reading the statement, SQLite the column's check).
        db.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('A')");
        for (const char *date : {"2024-02-30", "明天"}) {
            QCOMPARE(shown([&] { db.engine().run(QString("UPDATE QX_CAR_TABLE SET CAR_BUY_DATE = '%1'").arg(date)); }),
                     QStringList{"W:请按格式YYYY-MM-DD 输入日期"});
        }
    }

    // A database that is missing ends in the open-failure message.
    void missingDatabase_data() { TestDatabase::addBackendRows(); }
    void missingDatabase()
    {
        QFETCH(QString, backend);
        QTemporaryDir dir;
        QString alias = dir.filePath("none");
        if (backend != "sqlite") {
            QUrl server(qEnvironmentVariable("RUVELO_TEST_PG"));
            server.setPath("/ruvelo_no_such_database");
            alias = server.toString();
        }
        QCOMPARE(shown([&] { CreateEngine("Missing", alias)->connect(); }), QStringList{"W:数据库打开过程发生错误"});
    }

    // SQLite only: a data file that is not a database ends in the open-failure message.
    void unreadableDatabaseFile()
    {
        QTemporaryDir dir;
        QFile junk(SqliteEngine::filePath(dir.path()));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a database file, just some text that fills the header and more ........");
        junk.close();
        QCOMPARE(shown([&] { SqliteEngine("Junk", dir.path()).connect(); }), QStringList{"W:数据库打开过程发生错误"});
    }

    void otherKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("abort is silent") << 0 << QStringList();
        QTest::newRow("database error") << 1 << QStringList{"E:EDatabaseError:Field 'X' not found"};
        QTest::newRow("range error") << 2 << QStringList{"E:ERangeError:index 5"};
        QTest::newRow("format mismatch") << 3 << QStringList{"W:指定的格式与参数类型不匹配!"};
        QTest::newRow("other conversion") << 4 << QStringList{"W:'abc' is not a valid integer value"};
        QTest::newRow("foreign failure") << 5 << QStringList{"E:Exception:bad thing"};
    }
    void otherKinds()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, expected);
        QCOMPARE(shown([&] {
                     switch (kind) {
                     case 0: throw AbortError();
                     case 1: throw DatabaseError("Field 'X' not found");
                     case 2: throw RangeError("index 5");
                     case 3: throw ConvertError("Format '%d' invalid or incompatible with argument");
                     case 4: throw ConvertError("'abc' is not a valid integer value");
                     default: throw std::runtime_error("bad thing");
                     }
                 }),
                 expected);
    }
};

QTEST_GUILESS_MAIN(tst_ExceptionHandler)
#include "tst_exceptionhandler.moc"
