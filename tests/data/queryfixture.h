#pragma once

#include "databaseengine.h"
#include "dbhelpers.h"
#include "screenhook.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tqxquery.h"

#include <QtTest>

// Update statements laid out as the screens' form files give them.
inline UpdateStatements statementsFor(const QString &table, const QStringList &keys, const QString &database = MainDatabaseName)
{
    QStringList columns;
    for (const ColumnInfo &column : DatabaseEngine::byName(database).columns(table))
        columns << column.name;
    QStringList where{"where"};
    for (int i = 0; i < keys.size(); ++i)
        where << (i == 0 ? "  " : "  and ") + keys[i] + " = :OLD_" + keys[i];
    UpdateStatements statements;
    statements.ModifySQL << "update " + table << "set";
    for (int i = 0; i < columns.size(); ++i)
        statements.ModifySQL << "  " + columns[i] + " = :" + columns[i] + (i + 1 < columns.size() ? "," : "");
    statements.ModifySQL << where;
    statements.InsertSQL << "insert into " + table << "  (" + columns.join(", ") + ")" << "values"
                         << "  (:" + columns.join(", :") + ")";
    statements.DeleteSQL << "delete from " + table << where;
    return statements;
}

inline TCheckData uniqueCheck(const QString &field, const QString &table, const QString &message)
{
    TCheckData check;
    check.Items = {TCheckItem{field, field, {}, {}, "C"}};
    check.TriggerField = field;
    check.SqlHead = "SELECT " + field + " FROM " + table + " WHERE ";
    check.Message = message;
    check.Unique = true;
    return check;
}

inline QDateTime at(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(9, 30, 0));
}

// Records what the query asks of its screen.
class RecordingHook final : public ScreenHook
{
public:
    QStringList calls;
    QString controlTextToGive;

    void focusControl(const QString &name) override { calls << "focus " + name; }
    void colorControl(const QString &name, quint32) override { calls << "color " + name; }
    void focusField(const TQXQuery &, const QString &field) override { calls << "focusField " + field; }
    void focusObject(QObject *control) override { calls << "focusObject " + control->objectName(); }
    QString controlText(QObject *) const override { return controlTextToGive; }
    void setGridsEnabled(const TQXQuery &, bool enabled) override { calls << QString("grids %1").arg(enabled); }
    void setColorSwitch(const TQXQuery &, bool on) override { calls << QString("colors %1").arg(on); }
    void refreshFooters(const TQXQuery &) override { calls << "footers"; }
};

// A fresh database, scripted messages and the queries of one test, with the work-task
// query configured as the work-task screen does.
class QueryFixture : public QObject
{
protected:
    std::unique_ptr<TestDatabase> db;
    ScriptedMessages messages;
    std::vector<std::unique_ptr<TQXQuery>> queries;

    TQXQuery &makeQuery(const QString &table, const QStringList &keys, const QString &database = MainDatabaseName)
    {
        queries.push_back(std::make_unique<TQXQuery>());
        TQXQuery &q = *queries.back();
        q.setObjectName("Query");
        q.setDatabaseName(database);
        q.setTableName(table);
        q.UpdateSQL = statementsFor(table, keys, database);
        q.UserName = "张三";
        q.Clock = [] { return at(2006, 8, 31); };
        return q;
    }

    // The work-task query as the work-task screen configures it (task numbering on).
    TQXQuery &workQuery(const QString &database = MainDatabaseName)
    {
        TQXQuery &q = makeQuery("QX_CAR_WORK_TABLE", {"CAR_WORK_ID"}, database);
        TInsertData key{.FieldName = "CAR_WORK_ID", .Caption = "纪录编号", .Width = 12, .Kind = "T", .Prefix = "C"};
        TInsertData name{.FieldName = "CREATE_NAME", .Caption = "建档人员", .Value = "张三", .Kind = "A"};
        TInsertData status{.FieldName = "STATUS", .Caption = "状态", .Value = "未完工", .Kind = "A"};
        TInsertData number{.FieldName = "WORK_ID", .Caption = "工作编号", .Width = 10, .Kind = "Y"};
        q.InsertData = {name, TInsertData::workingDate("CREATE_DATE"), TInsertData::workingDate("WORK_START_DATE"), status,
                        key, number};
        q.CheckData = {uniqueCheck("CAR_WORK_ID", "QX_CAR_WORK_TABLE", "纪录编号重复"),
                       uniqueCheck("WORK_ID", "QX_CAR_WORK_TABLE", "已有此工作任务编号,任务编号重复")};
        q.EditData = {TEditData{"EDIT_NAME", "张三"}, TEditData::workingDate("EDIT_DATE")};
        q.setStatusEditValue("未完工");
        q.ActiveStatus = true;
        return q;
    }

    static QString cell(const QString &sql, const QString &database = MainDatabaseName)
    {
        QSqlQuery query = DatabaseEngine::byName(database).run(sql);
        return query.next() ? query.value(0).toString() : QString("<no row>");
    }

    void addWork(const QString &id, const QString &workId, const QString &status = "未完工", double money = 0)
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, QString("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,STATUS,WORK_MONEY) "
                                                     "VALUES('%1','%2','%3',%4)").arg(id, workId, status).arg(money)));
    }

    // Runs on the backend of the current global data row (see TestDatabase::addBackendRows).
    void setUpDatabase()
    {
        QFETCH_GLOBAL(QString, backend);
        db = std::make_unique<TestDatabase>(backend);
        messages.clear();
        messages.answers.clear();
    }
    void tearDownDatabase()
    {
        queries.clear();
        db.reset();
    }
};
