#include "apperror.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "programrights.h"
#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QtTest>

// Rights by group and program names, by index, and their reading and writing.
class tst_ProgramRights : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    ScriptedMessages messages;

    void grant(const QString &user, int group, int program, const QStringList &values)
    {
        QStringList quoted;
        for (const QString &v : values)
            quoted << (v.isNull() ? QStringLiteral("NULL") : sqlText(v));
        db->engine().run(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT) VALUES(%1,%2,%3,%4)")
                             .arg(sqlText(user)).arg(group).arg(program).arg(quoted.join(',')));
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init()
    {
        QFETCH_GLOBAL(QString, backend);
        db = std::make_unique<TestDatabase>(backend);
        messages.clear();
    }
    void cleanup() { db.reset(); }

    void checkRightTestsTheBrowseRight()
    {
        grant("U1", 1, 2, {"否", "否", "否", "是", "否", "否", "否"});
        grant("U2", 1, 2, {"是", "是", "是", "否", "是", "是", "是"});
        grant("U3", 1, 2, {"是", "是", "是", "", "是", "是", "是"});
        grant("O'B", 1, 2, {"否", "否", "否", "是", "否", "否", "否"});
        QVERIFY(CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "U1"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "U2"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "U3"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "NOBODY"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆资料录入编辑", "U1"));
        QVERIFY(CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "O'B"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆工作任务管理", "X' OR '1'='1"));
        QVERIFY(messages.all.isEmpty());
    }

    void unknownNamesSayWhich()
    {
        QVERIFY(!CheckRight(MainDatabaseName, "车队", "车辆工作任务管理", "U1"));
        QVERIFY(!CheckRight(MainDatabaseName, "车辆管理", "车辆类别资料录入编辑", "U1"));
        const TRights none = LoadRights(MainDatabaseName, "系统管理", "别的", "U1");
        QVERIFY(!none.loaded);
        QCOMPARE(messages.warnings, QStringList({"车队程序组找不到", "车辆类别资料录入编辑程序找不到", "别的程序找不到"}));
    }

    void loadRightsReadsEverySeven()
    {
        grant("U1", 3, 6, {"是", "否", "是", "是", "否", "是", QString()});
        const TRights rights = LoadRights(MainDatabaseName, "基本数据录入编辑", "单位员工资料录入编辑", "U1");
        QVERIFY(rights.loaded);
        const QList<bool> flags = {rights[0], rights[1], rights[2], rights[3], rights[4], rights[5], rights[6]};
        QCOMPARE(flags, QList<bool>({true, false, true, true, false, true, false}));
        const TRights missing = LoadRights(MainDatabaseName, "基本数据录入编辑", "单位员工资料录入编辑", "U2");
        QVERIFY(!missing.loaded);
        QVERIFY(!missing.add && !missing.browse && !missing.print && !missing.verify);
    }

    void readAndWriteSingleRights()
    {
        QCOMPARE(ReadRight(MainDatabaseName, "U1", 2, 4, 1), QString("否"));
        // A new row gets only the written right; the others stay empty and count as not held.
        QVERIFY(WriteRight(MainDatabaseName, "U1", 2, "是", 4, 1));
        QCOMPARE(ReadRight(MainDatabaseName, "U1", 2, 4, 1), QString("是"));
        QCOMPARE(ReadRight(MainDatabaseName, "U1", 2, 3, 1), QString("否"));
        QVERIFY(!CheckRight(MainDatabaseName, "数据统计报表", "车辆工作任务统计报表", "U1"));
        // A second right updates the same row.
        QVERIFY(WriteRight(MainDatabaseName, "U1", 2, "是", 3, 1));
        QVERIFY(CheckRight(MainDatabaseName, "数据统计报表", "车辆工作任务统计报表", "U1"));
        QCOMPARE(GetFieldValue(MainDatabaseName, "SELECT COUNT(*) FROM SYS_RIGHT_TABLE"), QString("1"));
        QVERIFY(WriteRight(MainDatabaseName, "U1", 2, "否", 2, 1));
        QCOMPARE(ReadRight(MainDatabaseName, "U1", 2, 2, 1), QString("否"));
        QVERIFY(LoadRights(MainDatabaseName, "数据统计报表", "车辆工作任务统计报表", "U1").print);

        QVERIFY(!WriteRight(QString(), "U1", 2, "是", 0, 1));
        QCOMPARE(messages.warnings, QStringList{"DataBaseName必须有一个值"});
        QVERIFY(!WriteRight(MainDatabaseName, "TOOLONGID", 2, "是", 0, 1));
        QVERIFY_THROWS_EXCEPTION(RangeError, ReadRight(MainDatabaseName, "U1", 2, 7, 1));
    }
};

QTEST_GUILESS_MAIN(tst_ProgramRights)
#include "tst_programrights.moc"
