#pragma once

#include <QString>

struct TreeTable;

// What sets one category screen apart from the others: its table, captions, the numbering
// prefix of new identifiers, the table whose records still using a category forbid its
// deletion, and the dependent rows deleted with a category.
struct TCategorySetup
{
    const TreeTable *table = nullptr;
    QString objectName{};       // "CarTypeForm"
    QString windowCaption{};    // "车辆类别资料录入编辑窗口"
    QString programName{};      // rights are looked up under "基本数据录入编辑" and this name
    QString orderCaption{};     // caption of ORDER_ID in messages: "序号" or "纪录编号"
    QString idPrefix{};         // prefix of generated identifiers ("" or "A")
    QString usageStatement{};   // counts the records using a category: text + id + "'"
    QString usageMessage{};     // refusal when that count is above 0
    QString printTitle{};       // title and export name of the printed list; empty: no print command
    // Rows of DetailTable whose DetailKey is the category's id are deleted with it, in the
    // same transaction; DetailError prefixes the failure message.
    QString detailTable{};
    QString detailKey{};
    QString detailError{};
};
