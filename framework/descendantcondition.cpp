#include "descendantcondition.h"

#include "databaseengine.h"
#include "dbhelpers.h"
#include "sqldialect.h"
#include "treetable.h"

#include <QSet>

namespace {

void appendDescendants(const TreeTable &table, const QString &id, const QString &alias, QString &text,
                       QSet<QString> &visited)
{
    if (visited.contains(id))
        return;
    visited.insert(id);
    QStringList children;
    {
        const auto rows = OpenSQL(MainDatabaseName, QStringLiteral("SELECT ") + table.idColumn + QStringLiteral(" FROM ")
                                                        + table.table + QStringLiteral(" WHERE PRIOR_ID = ") + sqlText(id));
        for (; !rows->eof(); rows->next())
            children << rows->text(0);
    }
    for (const QString &child : std::as_const(children)) {
        if (!alias.isEmpty())
            text += (text.isEmpty() ? QString() : QStringLiteral(" OR ")) + alias + QLatin1Char('.') + table.idColumn
                + QStringLiteral(" = ") + sqlText(child);
        else
            text += (text.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" OR ")) + table.idColumn + QStringLiteral(" = ")
                + sqlText(child);
        appendDescendants(table, child, alias, text, visited);
    }
}

} // namespace

QString DescendantCondition::Of(const TreeTable &table, const QString &id, const QString &alias)
{
    QString text;
    QSet<QString> visited;
    appendDescendants(table, id, alias, text, visited);
    return text;
}

QString DescendantCondition::WorkType(const QString &id, const QString &alias)
{
    return Of(TreeTable::WorkType(), id, alias);
}

QString DescendantCondition::MoneyType(const QString &id, const QString &alias)
{
    return Of(TreeTable::MoneyType(), id, alias);
}

QString DescendantCondition::RepairType(const QString &id, const QString &alias)
{
    return Of(TreeTable::RepairType(), id, alias);
}

QString DescendantCondition::CarType(const QString &id, const QString &alias)
{
    return Of(TreeTable::CarType(), id, alias);
}

QString DescendantCondition::Dept(const QString &id, const QString &alias)
{
    return Of(TreeTable::Dept(), id, alias);
}

QString DescendantCondition::Subtree(const TreeTable &table, const QString &id, const QString &alias)
{
    const QString column = alias.isEmpty() ? table.idColumn : alias + QLatin1Char('.') + table.idColumn;
    const QString own = column + QStringLiteral(" = ") + sqlText(id);
    const QString descendants = Of(table, id, alias);
    return descendants.isEmpty() ? own : QStringLiteral("(") + own + QStringLiteral(" OR ") + descendants + QLatin1Char(')');
}
