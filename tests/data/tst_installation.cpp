#include "databaseengine.h"
#include "dbhelpers.h"
#include "engineerror.h"
#include "installation.h"
#include "schemadefinition.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "sqliteengine.h"
#include "testdatabase.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// A new data directory holds every table with its shipped rows; the alias and the other
// settings live in the settings store.
class tst_Installation : public QObject
{
    Q_OBJECT

    QString value(const QString &sql) { return GetFieldValue(MainDatabaseName, sql); }

private slots:
    void everyTableWithItsColumns_data() { TestDatabase::addBackendRows(); }
    void everyTableWithItsColumns()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend);
        const QStringList tables = db.engine().tableNames();
        QCOMPARE(tables.size(), SchemaDefinition::shipped().tables().size());
        for (const SchemaTable &table : SchemaDefinition::shipped().tables()) {
            QVERIFY2(tables.contains(table.name), qPrintable(table.name));
            QCOMPARE(db.engine().columns(table.name).size(), table.columns.size());
        }
        // Names are case-insensitive: the rights table's delete column answers to both spellings.
        db.engine().run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,DElETE_RIGHT) VALUES('A',1,1,'是')");
        QCOMPARE(value("SELECT DELETE_RIGHT FROM SYS_RIGHT_TABLE"), QString("是"));
        QCOMPARE(db.engine().columns("QX_CAR_TYPE_TABLE").at(1).width, 20);
        QCOMPARE(db.engine().columns("QX_EMPLOYEE_TABLE").last().width, 0);
    }

    // Text sorts by code point on every engine, also on a server whose default collation
    // orders Chinese by its reading.
    void textSortsAsOnTheFile_data() { TestDatabase::addBackendRows(); }
    void textSortsAsOnTheFile()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend, "TEMPLATE template0 LOCALE_PROVIDER icu ICU_LOCALE 'zh' LOCALE 'C.UTF-8'");
        int id = 0;
        for (const char *name : {"北京", "阿城", "b", "A"})
            db.engine().run("INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES(?,?)",
                            {QString::number(++id), QString::fromUtf8(name)});
        QStringList order;
        QSqlQuery rows = db.engine().run("SELECT CAR_TYPE_NAME FROM QX_CAR_TYPE_TABLE ORDER BY CAR_TYPE_NAME");
        while (rows.next())
            order << rows.value(0).toString();
        QCOMPARE(order, (QStringList{"A", "b", "北京", "阿城"}));
    }

    void shippedRows_data() { TestDatabase::addBackendRows(); }
    void shippedRows()
    {
        QFETCH(QString, backend);
        TestDatabase db(backend);
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_COMPOSE_TABLE"), QString("4"));
        QStringList counts;
        auto groups = OpenSQL(MainDatabaseName,
                              "SELECT C.COMPOSE_NAME, COUNT(P.PROGRAM_ID), MIN(P.PROGRAM_ID), MAX(P.PROGRAM_ID) FROM SYS_COMPOSE_TABLE C "
                              "JOIN SYS_PROGRAM_TABLE P ON P.COMPOSE_ID = C.COMPOSE_ID GROUP BY C.COMPOSE_ID, C.COMPOSE_NAME ORDER BY C.COMPOSE_ID");
        for (; !groups->eof(); groups->next())
            counts << groups->text(0) + ":" + groups->text(1) + ":" + groups->text(2) + "-" + groups->text(3);
        QCOMPARE(counts, QStringList({"车辆管理:5:1-5", "数据统计报表:3:1-3", "基本数据录入编辑:6:1-6", "系统管理:3:1-3"}));

        // Every program the main window checks by name is there.
        const QStringList checked = {"车辆资料录入编辑", "车辆工作任务管理", "车辆维修资料管理", "单位收支资料管理", "事务提醒资料管理",
                                     "车辆工作任务统计报表", "车辆维修数据统计报表", "单位收支数据统计报表", "车辆类别资料录入编辑",
                                     "车辆工作任务类别录入编辑", "车辆维修类别资料录入编辑", "单位帐款类别录入编辑", "单位部门资料录入编辑",
                                     "单位员工资料录入编辑", "数据备份", "过时数据删除"};
        for (const QString &name : checked)
            QCOMPARE(value("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE WHERE PROGRAM_NAME = " + sqlText(name)), QString("1"));

        for (const char *name : {"车辆编号", "维修编号", "任务编号", "员工编号", "启动事务提醒", "不自动数据备份", "车辆显示方式"})
            QVERIFY2(!value(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '%1'").arg(QString::fromUtf8(name))).isEmpty(), name);
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_USER_TABLE"), QString("0"));
        QCOMPARE(value("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), QString("0"));
    }

    void installRecordsTheAlias()
    {
        QTemporaryDir dir;
        qputenv("RUVELO_SETTINGS", dir.filePath("settings.ini").toUtf8());
        QVERIFY(!AliasExists(MainAliasName));
        QCOMPARE(GetAliasPath(MainAliasName), QString());

        const QString dataDir = dir.filePath("数据 目录");
        QString error;
        QVERIFY2(Installation::install(dataDir, &error), qPrintable(error));
        QVERIFY(AliasExists(MainAliasName));
        QCOMPARE(GetAliasPath(MainAliasName), dataDir);
        // Installing again keeps the data.
        SqliteEngine engine("again", dataDir);
        engine.run("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('kept','1')");
        engine.disconnect();
        QVERIFY(Installation::install(dataDir, &error));
        QSqlQuery kept = engine.run("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE NAME_ID='kept'");
        QVERIFY(kept.first());
        QCOMPARE(kept.value(0).toInt(), 1);
        kept = QSqlQuery();
        engine.disconnect();
        QVERIFY_THROWS_EXCEPTION(EngineError, Installation::createDatabase(dataDir));
    }

    void settings()
    {
        QTemporaryDir dir;
        qputenv("RUVELO_SETTINGS", dir.filePath("s.ini").toUtf8());
        ScriptedMessages messages;
        QCOMPARE(ReadSetting("RuveloColor"), QString());
        WriteSetting("RuveloColor", "16711680");
        WriteSetting("QXBank", "/tmp/图片.jpg");
        QCOMPARE(ReadIntSetting("RuveloColor"), QString("16711680"));
        QCOMPARE(ReadSetting("QXBank"), QString("/tmp/图片.jpg"));
        QCOMPARE(ReadIntSetting("QXBank"), QString());
        QVERIFY(messages.all.isEmpty());

        // A store that cannot be written says so.
        qputenv("RUVELO_SETTINGS", "/proc/no/such/place.ini");
        WriteSetting("RuveloData", "x");
        QCOMPARE(messages.warnings, QStringList{"注册表打开错误"});
    }
};

QTEST_GUILESS_MAIN(tst_Installation)
#include "tst_installation.moc"
