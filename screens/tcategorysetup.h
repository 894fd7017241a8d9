#pragma once

#include "tcategoryprint.h"

#include <QList>
#include <QString>

struct TreeTable;

// What sets one tree screen apart from the others: its table, captions, the numbering
// prefix of new identifiers, the records that still use a node and forbid its deletion,
// the printed list, the dependent rows deleted with a node and the depth limit.
struct TCategorySetup
{
    // Counts the records using a node (statement + id + "'"); above 0 refuses the delete.
    struct UsageCheck
    {
        QString statement;
        QString message;
    };

    const TreeTable *table = nullptr;
    QString objectName{};       // "CarTypeForm"
    QString windowCaption{};    // "车辆类别资料录入编辑窗口"
    QString programName{};      // rights are looked up under "基本数据录入编辑" and this name
    QString orderCaption{};     // caption of ORDER_ID in messages: "序号" or "纪录编号"
    QString idPrefix{};         // prefix of generated identifiers ("" or "A")
    QList<UsageCheck> usageChecks{};  // in the order they are asked
    TCategoryPrint::Layout print{};   // no title: no print command
    // Rows of DetailTable whose DetailKey is the category's id are deleted with it, in the
    // same transaction; DetailError prefixes the failure message.
    QString detailTable{};
    QString detailKey{};
    QString detailError{};
    QString word{};             // noun of the captions and messages; empty: the table's category word
    QString rootCaption{};      // empty: the word
    QString nameCaption{};      // label of the name box; empty: the word
    QString recordTitle{};      // title of the record panel
    // Deepest level a node may have: nothing is added below it (the refusal names four
    // levels, the limit of the category trees). 0: no limit.
    int maxLevel = 4;
    // Condition head of the sibling numbering ("  PRIOR_ID = '") and the WHERE of the
    // statement loading the selected record.
    QString siblingWhere = QStringLiteral("  PRIOR_ID = '");
    QString recordWhere = QStringLiteral(" WHERE  ");
};
