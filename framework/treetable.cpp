#include "treetable.h"

#include "sqldialect.h"
#include "tqxtreeview.h"

#include <QSqlQuery>

const TreeTable &TreeTable::WorkType()
{
    static const TreeTable table{QStringLiteral("QX_WORK_TYPE_TABLE"), QStringLiteral("WORK_TYPE_ID"),
                                 QStringLiteral("WORK_TYPE_NAME"), QStringLiteral("工作类别")};
    return table;
}

const TreeTable &TreeTable::MoneyType()
{
    static const TreeTable table{QStringLiteral("QX_MONEY_INTO_OUT_TYPE_TABLE"), QStringLiteral("MONEY_TYPE_ID"),
                                 QStringLiteral("MONEY_TYPE_NAME"), QStringLiteral("帐款类别")};
    return table;
}

const TreeTable &TreeTable::RepairType()
{
    static const TreeTable table{QStringLiteral("QX_REPAIR_TYPE_TABLE"), QStringLiteral("REPAIR_TYPE_ID"),
                                 QStringLiteral("REPAIR_TYPE_NAME"), QStringLiteral("维修类别")};
    return table;
}

const TreeTable &TreeTable::CarType()
{
    static const TreeTable table{QStringLiteral("QX_CAR_TYPE_TABLE"), QStringLiteral("CAR_TYPE_ID"),
                                 QStringLiteral("CAR_TYPE_NAME"), QStringLiteral("车辆类别")};
    return table;
}

const TreeTable &TreeTable::Dept()
{
    static const TreeTable table{QStringLiteral("SYS_COMPANY_TABLE"), QStringLiteral("COMPANY_ID"),
                                 QStringLiteral("COMPANY_NAME"), QString()};
    return table;
}

QString TreeTable::childrenStatement() const
{
    return QStringLiteral("SELECT ") + idColumn + QLatin1Char(',') + nameColumn + QStringLiteral(",ORDER_ID FROM ") + table
        + QStringLiteral(" WHERE PRIOR_ID = ");
}

QString TreeTable::childCountStatement() const
{
    return QStringLiteral("SELECT Count(") + idColumn + QStringLiteral(") FROM ") + table
        + QStringLiteral(" WHERE PRIOR_ID = ");
}

void TreeTable::SetLevelStatements(TQXTreeView &tree, int level, const QString &rootId, int lastCountedLevel) const
{
    const QString tail = QStringLiteral(" ORDER BY ORDER_ID");
    tree.ClearNodeSql();
    if (level == 0)
        tree.SetNodeSql(TQXTreeView::NodeSqlSet::Children, childrenStatement() + sqlText(rootId), 0, QString(), QString(), tail);
    else
        tree.SetNodeSql(TQXTreeView::NodeSqlSet::Children, childrenStatement(), 0, QString(), QStringLiteral("C"), tail);
    if (lastCountedLevel < 0 || level <= lastCountedLevel)
        tree.SetNodeSql(TQXTreeView::NodeSqlSet::ChildCount, childCountStatement(), 0, QString(), QStringLiteral("C"),
                        QString());
}

int TreeTable::ChildCount(const QString &id, const QString &database) const
{
    QSqlQuery query = DatabaseEngine::byName(database).run(
        QStringLiteral("SELECT COUNT(*) FROM ") + table + QStringLiteral(" WHERE PRIOR_ID = ?"), {id});
    return query.next() ? query.value(0).toInt() : 0;
}

bool TreeTable::HasChildren(const TQXTreeView &tree, const QTreeWidgetItem *node, const QString &database) const
{
    if (!node)
        return false;
    return node->childCount() > 0 || ChildCount(tree.NodeId(node), database) > 0;
}
