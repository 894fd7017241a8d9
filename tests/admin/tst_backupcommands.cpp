#include "admintestdata.h"
#include "appvalues.h"
#include "backupcommands.h"
#include "databaseengine.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "testdatabase.h"
#include "tqxbackupfile.h"
#include "tqxmain.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace AdminTestData;

// Backup and restore of the running program's data: snapshots of an open database, the
// all-or-nothing restore, archives carried between engines, and the backup location.
class tst_BackupCommands : public QObject
{
    Q_OBJECT

    static QString dataDirOf(TestDatabase &db) { return db.isServer() ? QString() : db.dataDir(); }

    // The fixture's data directory as the program's, with its parent as BaseDir.
    static void useDatabase(TestDatabase &db)
    {
        App().DataDir = dataDirOf(db);
        App().BaseDir = App().DataDir.isEmpty() ? QDir::tempPath() : QFileInfo(App().DataDir).absolutePath();
    }

    // Backs up into `dir` (stored as the backup location, confirmed) and returns the archive.
    static QString backUp(ScriptedMessages &messages, const QString &dir)
    {
        WriteSetting(QStringLiteral("RuveloData"), dir + QLatin1Char('/'));
        messages.answers << true;
        if (!RunBackup(nullptr))
            return {};
        const QStringList files = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        return files.size() == 1 ? QDir(dir).filePath(files.first()) : QString();
    }

    static bool restore(ScriptedMessages &messages, const QString &archive)
    {
        messages.fileAnswers << archive;
        messages.answers << true;
        return RunRestore(nullptr);
    }

private slots:
    void init() { App().CompanyName = QStringLiteral("东方运输公司"); }

    void backupOfOpenDatabaseRestoresCommittedRows_data() { TestDatabase::addBackendRows(); }
    void backupOfOpenDatabaseRestoresCommittedRows()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend);
        useDatabase(db);
        ScriptedMessages messages;
        App().CompanyName = QStringLiteral("车队/一:队*");
        insertBusinessRows(db.engine());
        const QString attachment = App().DataDir.isEmpty() ? QString() : QDir(App().DataDir).filePath("B240101120000");
        if (!attachment.isEmpty())
            QVERIFY(writeFile(attachment, "picture bytes"));

        // Another program copy is in the middle of a transaction while the backup runs.
        auto pending = std::make_unique<DatabaseEngine::Transaction>(db.secondConnection());
        db.secondConnection().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('UNCOMMITTED')");
        const QMap<QString, QStringList> committed = allRows(db.engine());

        QTemporaryDir backupDir;
        const QString archive = backUp(messages, backupDir.path());
        QVERIFY2(!archive.isEmpty(), qPrintable(messages.all.join('\n')));
        QVERIFY2(QRegularExpression("^车队_一_队_工程车辆\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d备份文件$")
                     .match(QFileInfo(archive).fileName()).hasMatch(), qPrintable(archive));
        QCOMPARE(messages.questions, QStringList{"是否备份文件保存到:\r" + backupDir.path() + "/ ?"});
        QCOMPARE(messages.warnings, QStringList{"数据库成功备份到：" + QDir::toNativeSeparators(archive)});
        pending.reset();
        db.secondConnection().disconnect();

        // Everything changes after the backup; the restore brings the backup's state back.
        db.engine().run("DELETE FROM QX_CAR_TABLE");
        db.engine().run("UPDATE QX_INTO_OUT_MONEY_TABLE SET MONEY_INTO_NUMBER = 1");
        insertBusinessRows(db.engine(), "B");
        const QString unrelated = App().DataDir.isEmpty() ? QString() : QDir(App().DataDir).filePath("B250101120000");
        if (!attachment.isEmpty()) {
            QVERIFY(writeFile(attachment, "changed"));
            QVERIFY(writeFile(unrelated, "added later"));
        }
        messages.clear();
        QVERIFY2(restore(messages, archive), qPrintable(messages.all.join('\n')));
        QCOMPARE(messages.questions, QStringList{"如果进行恢复操作，该备份文件以后进行的数据库操作的数据会丢失，\r\n是否用文件：\""
                                                 + QDir::toNativeSeparators(archive) + "\" 恢复数据库 ?"});
        QCOMPARE(messages.warnings, QStringList{"备份的数据库文件已成功恢复"});
        QCOMPARE(allRows(db.engine()), committed);
        if (!attachment.isEmpty()) {
            QCOMPARE(readFile(attachment), QByteArray("picture bytes"));
            QCOMPARE(readFile(unrelated), QByteArray("added later"));
            QCOMPARE(QDir(App().DataDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).filter(".ruvelo"),
                     QStringList());
        }
        // The program goes on working with the restored database.
        db.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('AFTER')");
    }

    void damagedArchiveChangesNothing_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("shown");  // after the question
        const QStringList failed{"W:备份的数据库文件恢复失败"};
        const QList<std::pair<QString, QStringList>> damages{
            {"truncated", QStringList{"E:不能读备份的文件"} + failed},
            {"corrupted", QStringList{"E:压缩错误"} + failed},
            {"foreign", QStringList{"E:无效的备份文件"} + failed},
            {"other copy connected", {"W:有未关闭的数据表"}},
        };
        for (const QString &backend : TestDatabase::backends()) {
            for (const auto &[damage, shown] : damages) {
                // A server has no file that another connection could hold.
                if (backend == "sqlite" || damage != "other copy connected")
                    QTest::newRow(qPrintable(backend + ": " + damage)) << backend << damage << shown;
            }
        }
    }
    void damagedArchiveChangesNothing()
    {
        QFETCH(QString, backend);
        QFETCH(QString, damage);
        QFETCH(QStringList, shown);
        TestDatabase db(backend);
        useDatabase(db);
        ScriptedMessages messages;
        insertBusinessRows(db.engine());
        const QString attachment = App().DataDir.isEmpty() ? QString() : QDir(App().DataDir).filePath("B240101120000");
        if (!attachment.isEmpty())
            QVERIFY(writeFile(attachment, QByteArray(40000, 'p')));
        QTemporaryDir backupDir;
        QString archive = backUp(messages, backupDir.path());
        QVERIFY(!archive.isEmpty());

        db.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('AFTER')");
        if (!attachment.isEmpty())
            QVERIFY(writeFile(attachment, "changed after the backup"));
        const QMap<QString, QStringList> before = allRows(db.engine());

        QByteArray bytes = readFile(archive);
        if (damage == "truncated") {
            bytes.truncate(bytes.size() * 3 / 5);
        } else if (damage == "corrupted") {
            for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i)
                bytes[i] = char(bytes[i] ^ 0x5a);
        } else if (damage == "foreign") {
            QTemporaryDir other;
            QVERIFY(writeFile(QDir(other.path()).filePath("notes.txt"), "not a database"));
            TQXBackupFile component;
            archive = QDir(backupDir.path()).filePath("foreign");
            QVERIFY(component.Backup(other.path(), archive, true));
            bytes = readFile(archive);
        } else {
            db.secondConnection().connect();
        }
        QVERIFY(writeFile(archive, bytes));

        messages.clear();
        QVERIFY(!restore(messages, archive));
        QCOMPARE(messages.all.mid(1), shown);
        db.secondConnection().disconnect();
        QCOMPARE(allRows(db.engine()), before);
        if (!attachment.isEmpty())
            QCOMPARE(readFile(attachment), QByteArray("changed after the backup"));
    }

    // An archive of an SQLite database restores into a server database, and that one's
    // archive into an SQLite database again, with the same rows.
    void archiveCarriedBetweenEngines()
    {
        if (!TestDatabase::backends().contains("postgresql"))
            QSKIP("RUVELO_TEST_PG is not set");
        QTemporaryDir fromFile;
        QTemporaryDir fromServer;
        QMap<QString, QStringList> expected;
        QString fileArchive;
        {
            TestDatabase source("sqlite");
            useDatabase(source);
            ScriptedMessages messages;
            insertBusinessRows(source.engine());
            expected = allRows(source.engine());
            fileArchive = backUp(messages, fromFile.path());
            QVERIFY(!fileArchive.isEmpty());
        }
        QString serverArchive;
        {
            TestDatabase server("postgresql");
            useDatabase(server);
            ScriptedMessages messages;
            server.engine().run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID) VALUES('REPLACED')");
            QVERIFY2(restore(messages, fileArchive), qPrintable(messages.all.join('\n')));
            QCOMPARE(allRows(server.engine()), expected);
            serverArchive = backUp(messages, fromServer.path());
            QVERIFY(!serverArchive.isEmpty());
        }
        TestDatabase target("sqlite");
        useDatabase(target);
        ScriptedMessages messages;
        QVERIFY2(restore(messages, serverArchive), qPrintable(messages.all.join('\n')));
        QCOMPARE(allRows(target.engine()), expected);
    }

    void commandsRefusedWhileScreensAreOpen()
    {
        TestDatabase db;
        useDatabase(db);
        ScriptedMessages messages;
        QMainWindow window;
        auto *frame = new TQXMain(&window);
        QWidget screen(&window, Qt::Window);
        frame->RegisterScreen("CarForm", &screen, [] {}, "车辆资料录入编辑");
        QVERIFY(!RunBackup(&window));
        QVERIFY(!RunRestore(&window));
        QCOMPARE(messages.all, (QStringList{"W:请先关闭其它的窗口", "W:请先关闭其它的窗口"}));
    }

    // Where the archive goes, by the stored location and the form of the command.
    void backupLocation_data()
    {
        QTest::addColumn<QString>("stored");   // "none", "missing", "data", "other" or "other-bare"
        QTest::addColumn<bool>("atStartUp");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("writtenTo");  // "chosen", "base", "other" or "" (nothing)
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("missing, menu") << "missing" << false << QList<bool>{true} << ""
            << QStringList{"Q:是否备份文件保存到:\r<missing>/ ?", "W:指定保存数据备份文件的路径是:<missing>\n\r此路径不存在,不能保存数据备份文件"};
        QTest::newRow("missing, start-up: choose another") << "missing" << true << QList<bool>{true} << "chosen"
            << QStringList{"Q:指定保存数据备份文件的路径是:<missing>\n\r此路径不存在,是否选择新的保存数据备份文件的路径 ?", "W:数据库成功备份到：*"};
        QTest::newRow("missing, start-up: refuse") << "missing" << true << QList<bool>{false} << ""
            << QStringList{"Q:指定保存数据备份文件的路径是:<missing>\n\r此路径不存在,是否选择新的保存数据备份文件的路径 ?", "W:没有指定新的保存数据备份文件的路径\n\r不能备份数据"};
        QTest::newRow("none, start-up") << "none" << true << QList<bool>{} << "chosen"
            << QStringList{"W:必须选择数据备份保存位置", "W:数据库成功备份到：*"};
        QTest::newRow("none, menu: cancelled") << "none" << false << QList<bool>{} << ""
            << QStringList{"W:没有指定保存备份文件的位置,不能备份数据"};
        QTest::newRow("other offered, declined") << "other" << false << QList<bool>{false} << "chosen"
            << QStringList{"Q:是否备份文件保存到:\r<other>/ ?", "W:数据库成功备份到：*"};
        QTest::newRow("other, start-up: not asked") << "other" << true << QList<bool>{} << "other"
            << QStringList{"W:数据库成功备份到：*"};
        QTest::newRow("other without a closing separator") << "other-bare" << true << QList<bool>{} << "other"
            << QStringList{"W:数据库成功备份到：*"};
        QTest::newRow("the data directory") << "data" << false << QList<bool>{true} << "base"
            << QStringList{"Q:是否备份文件保存到:\r<data>/ ?", "W:数据库成功备份到：*"};
    }
    void backupLocation()
    {
        QFETCH(QString, stored);
        QFETCH(bool, atStartUp);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, writtenTo);
        QFETCH(QStringList, shown);
        TestDatabase db;
        QTemporaryDir base;
        useDatabase(db);
        App().BaseDir = QDir(base.path()).filePath("base");
        QDir().mkpath(App().BaseDir);
        const QString chosen = QDir(base.path()).filePath("chosen");
        const QString other = QDir(base.path()).filePath("other");
        const QString missing = QDir(base.path()).filePath("missing");
        QDir().mkpath(chosen);
        QDir().mkpath(other);
        const QMap<QString, QString> places{{"missing", missing}, {"data", App().DataDir}, {"other", other}};
        if (stored == "other-bare")
            WriteSetting("RuveloData", other);
        else if (stored != "none")
            WriteSetting("RuveloData", places[stored] + '/');
        ScriptedMessages messages;
        messages.answers.append(answers);
        if (writtenTo == "chosen")
            messages.fileAnswers << chosen;

        QCOMPARE(RunBackup(nullptr, atStartUp), !writtenTo.isEmpty());
        QStringList expected;
        for (QString line : shown)
            expected << line.replace("<missing>", missing).replace("<other>", other).replace("<data>", App().DataDir);
        QCOMPARE(messages.all.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            if (expected[i].endsWith('*'))
                QVERIFY2(messages.all[i].startsWith(expected[i].chopped(1)), qPrintable(messages.all[i]));
            else
                QCOMPARE(messages.all[i], expected[i]);
        }
        const QMap<QString, QString> targets{{"chosen", chosen}, {"base", App().BaseDir}, {"other", other}};
        for (const QString &place : targets.keys()) {
            const int archives = QDir(targets[place]).entryList(QDir::Files).size();
            QCOMPARE(archives, place == writtenTo ? 1 : 0);
        }
        if (writtenTo == "chosen")
            QCOMPARE(ReadSetting("RuveloData"), chosen + '/');
        QCOMPARE(QDir(App().DataDir).entryList({"*备份文件"}, QDir::Files), QStringList());
    }
};

QTEST_MAIN(tst_BackupCommands)
#include "tst_backupcommands.moc"
