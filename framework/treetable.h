#pragma once

#include "databaseengine.h"

#include <QString>

class QTreeWidgetItem;
class TQXTreeView;

// A parent-link table shown as a tree: the four category tables and the departments. Rows
// are linked by PRIOR_ID and ordered among siblings by ORDER_ID; "G001" is the root.
struct TreeTable
{
    QString table;
    QString idColumn;
    QString nameColumn;
    QString word;  // the category word captioning the root ("工作类别"); empty for departments

    static const TreeTable &WorkType();
    static const TreeTable &MoneyType();
    static const TreeTable &RepairType();
    static const TreeTable &CarType();
    static const TreeTable &Dept();

    // "SELECT id,name,ORDER_ID FROM table WHERE PRIOR_ID = " and
    // "SELECT Count(id) FROM table WHERE PRIOR_ID = ".
    QString childrenStatement() const;
    QString childCountStatement() const;

    // Gives `tree` the statements for expanding a node of `level` (0: the root `rootId`):
    // the root's children by their quoted parent written in, deeper levels by the node's
    // identifier (kind "C"), both ordered by ORDER_ID; children of levels up to
    // `lastCountedLevel` are counted for their expand buttons (-1: every level).
    void SetLevelStatements(TQXTreeView &tree, int level, const QString &rootId, int lastCountedLevel) const;

    // The children of `id` counted in the database (rows added by other users included).
    int ChildCount(const QString &id, const QString &database = MainDatabaseName) const;
    // A node has children when the tree holds any (placeholders included) or the database
    // has rows under it that the tree has not loaded.
    bool HasChildren(const TQXTreeView &tree, const QTreeWidgetItem *node,
                     const QString &database = MainDatabaseName) const;
};
