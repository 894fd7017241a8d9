#include "admintestdata.h"
#include "appvalues.h"
#include "databaseengine.h"
#include "scriptedmessages.h"
#include "sqliteengine.h"
#include "tablerepair.h"
#include "tdatarebuildform.h"
#include "terrormsgform.h"
#include "testdatabase.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace AdminTestData;

// The repair dialog: the copy taken first, a sound database, and a table damaged on disk.
class tst_TDataRebuildForm : public QObject
{
    Q_OBJECT

    // Presses "修复" and returns the lines of the message list window, if it came up.
    static QStringList repair(TDataRebuildForm &form, bool *listShown)
    {
        QStringList lines;
        *listShown = false;
        // The list comes up after the work, which lets events run: watch until it does.
        QTimer watcher;
        watcher.setInterval(5);
        QObject::connect(&watcher, &QTimer::timeout, [&lines, listShown] {
            if (auto *list = qobject_cast<TErrorMsgForm *>(QApplication::activeModalWidget()); list && list->isVisible()) {
                *listShown = true;
                lines = list->lines();
                list->closeButton()->click();
            }
        });
        watcher.start();
        form.repairButton()->click();
        return lines;
    }

    // Inserts rows, then overwrites the root page of one of the work tasks' indexes.
    static void damageWorkTaskIndex(DatabaseEngine &engine)
    {
        {
            DatabaseEngine::Transaction transaction(engine);
            for (int i = 0; i < 400; ++i)
                engine.run(QString("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,CAR_RECORD_ID) VALUES('W%1','N%1','C%2')")
                               .arg(i).arg(i % 7));
            transaction.commit();
        }
        QSqlQuery root = engine.run("SELECT rootpage FROM sqlite_master WHERE type = 'index' AND tbl_name = 'QX_CAR_WORK_TABLE' "
                                    "AND sql IS NOT NULL ORDER BY name LIMIT 1");
        QVERIFY(root.next());
        const qint64 page = root.value(0).toLongLong();
        QSqlQuery size = engine.run("PRAGMA page_size");
        QVERIFY(size.next());
        const qint64 pageSize = size.value(0).toLongLong();
        root = QSqlQuery();
        size = QSqlQuery();
        engine.disconnect();
        QFile file(SqliteEngine::filePath(engine.dataDir()));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek((page - 1) * pageSize));
        QCOMPARE(file.write(QByteArray(64, char(0xee))), 64);
        file.close();
        engine.connect();
    }

private slots:
    void soundDatabase_data() { TestDatabase::addBackendRows(); }
    void soundDatabase()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend);
        App().DataDir = db.isServer() ? QString() : db.dataDir();
        insertBusinessRows(db.engine());
        const QMap<QString, QStringList> before = allRows(db.engine());
        QTemporaryDir copies;
        ScriptedMessages messages;
        messages.fileAnswers << copies.path();

        TDataRebuildForm form(nullptr, "路威车辆管理系统");
        form.show();
        bool listShown = false;
        repair(form, &listShown);
        QVERIFY(!listShown);
        QCOMPARE(messages.warnings.size(), 3);
        QCOMPARE(messages.warnings[0], QString("修复前需要备份一下数据库文件,请选择保存备份文件的位置"));
        QVERIFY2(messages.warnings[1].startsWith("数据库文件成功备份到："), qPrintable(messages.warnings[1]));
        QCOMPARE(messages.warnings[2], QString("数据库文件修复完成"));
        QCOMPARE(allRows(db.engine()), before);
        QVERIFY(form.warningLabel()->isVisible());
        QVERIFY(!form.progressLabel()->isVisible());

        // The copy is a dated folder named after the product.
        const QStringList folders = QDir(copies.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 1);
        QVERIFY2(QRegularExpression("^路威车辆管理系统数据修复前\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d备份文件$").match(folders.first()).hasMatch(),
                 qPrintable(folders.first()));
        const QDir copy(QDir(copies.path()).filePath(folders.first()));
        QVERIFY(copy.exists(db.isServer() ? "QX_CAR_TABLE.tbl" : SqliteEngine::fileName()));
    }

    void cancelledCopyRepairsNothing()
    {
        TestDatabase db;
        App().DataDir = db.dataDir();
        ScriptedMessages messages;
        TDataRebuildForm form(nullptr, "路威车辆管理系统");
        bool listShown = false;
        repair(form, &listShown);
        QCOMPARE(messages.warnings, QStringList{"修复前需要备份一下数据库文件,请选择保存备份文件的位置"});
    }

    // A damaged index makes its table fail; the copy taken first holds the damaged file.
    void damagedTableIsReported()
    {
        TestDatabase db;
        App().DataDir = db.dataDir();
        damageWorkTaskIndex(db.engine());
        QVERIFY(!db.engine().verifyTable("QX_CAR_WORK_TABLE").isEmpty());
        const QByteArray damaged = readFile(SqliteEngine::filePath(db.dataDir()));
        QTemporaryDir copies;
        ScriptedMessages messages;
        messages.fileAnswers << copies.path();

        TDataRebuildForm form(nullptr, "路威车辆管理系统");
        form.show();
        bool listShown = false;
        const QStringList lines = repair(form, &listShown);
        QVERIFY(listShown);
        QCOMPARE(lines, (QStringList{"QX_CAR_WORK_TABLE 数据文件修复失败！", TableRepair::Separator}));
        QCOMPARE(messages.warnings.size(), 2);
        const QStringList folders = QDir(copies.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders.size(), 1);
        QCOMPARE(readFile(QDir(QDir(copies.path()).filePath(folders.first())).filePath(SqliteEngine::fileName())), damaged);
    }
};

QTEST_MAIN(tst_TDataRebuildForm)
#include "tst_tdatarebuildform.moc"
