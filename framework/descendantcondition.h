#pragma once

#include <QString>

struct TreeTable;

// Conditions that stand for a node's whole subtree in searches, one member per tree table.
// The descendants are read depth first ("SELECT X FROM table WHERE PRIOR_ID = 'id'"), each
// child followed by its own descendants before its next sibling. With an alias every term
// is alias.X = 'c' and terms are joined by " OR "; without one the first term has one
// leading blank. A node without children gives an empty text. Identifiers are written as
// quoted literals; a parent link that loops back is followed only once.
class DescendantCondition
{
public:
    static QString WorkType(const QString &id, const QString &alias = QString());
    static QString MoneyType(const QString &id, const QString &alias = QString());
    static QString RepairType(const QString &id, const QString &alias = QString());
    static QString CarType(const QString &id, const QString &alias = QString());
    static QString Dept(const QString &id, const QString &alias = QString());
    static QString Of(const TreeTable &table, const QString &id, const QString &alias);

    // The node and its subtree: "(A.X = 's' OR d)" or "A.X = 's'" when d is empty (without
    // an alias: "(X = 's' OR d)" or "X = 's'").
    static QString Subtree(const TreeTable &table, const QString &id, const QString &alias);
};
