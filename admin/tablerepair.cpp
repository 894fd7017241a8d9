#include "tablerepair.h"

#include "apperror.h"
#include "databaseengine.h"
#include "soleconnection.h"

#include <QMap>

const QString TableRepair::Separator = QStringLiteral("---------------------------------------------------");

TableRepair::TableRepair(DatabaseEngine &engine) : m_engine(engine) {}

bool TableRepair::sound(const QString &table)
{
    try {
        return m_engine.verifyTable(table).isEmpty();
    } catch (const AppError &) {
        return false;
    }
}

// The rebuild replaces the database file, so no other connection may use it.
bool TableRepair::rebuild()
{
    try {
        RequireSoleConnection(m_engine);
        m_engine.rebuild();
        return true;
    } catch (const AppError &) {
        // The next use connects afresh, in the engine's usual mode.
        m_engine.disconnect();
        return false;
    }
}

QStringList TableRepair::Run()
{
    const QStringList tables = m_engine.tableNames();
    QMap<int, QString> failures;  // by position in `tables`
    QList<int> damaged;
    for (int i = 0; i < tables.size(); ++i) {
        try {
            if (!m_engine.verifyTable(tables[i]).isEmpty())
                damaged << i;
        } catch (const AppError &) {
            failures.insert(i, tables[i] + QStringLiteral(" 数据文件数据结构错误，不能修复！"));
        }
        if (OnProgress)
            OnProgress(i, int(tables.size()));
    }
    if (!damaged.isEmpty()) {
        const bool rebuilt = rebuild();
        for (int i : damaged) {
            if (!rebuilt || !sound(tables[i]))
                failures.insert(i, tables[i] + QStringLiteral(" 数据文件修复失败！"));
        }
    }
    QStringList messages;
    for (const QString &failure : failures)
        messages << failure << Separator;
    return messages;
}
