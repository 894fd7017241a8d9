#pragma once

#include <QList>
#include <QString>

class QDialog;
class QWidget;
class TSelectCategoryForm;
class TSelectDeptForm;
class TSelectEmployeeForm;

// The pop-ups the screens' PopupWindow handlers open for the find dialogs. Each writes a
// display text and a result only when the user confirms, and leaves both unchanged
// otherwise; the pickers are the screen's own (kept between searches).

// Employee picker: display and result the chosen EMPLOYEE_NAME.
bool PickEmployeeForFind(TSelectEmployeeForm &picker, QString &display, QString &result);
// Vehicle-category picker: display the name, result the identifier.
bool PickCarTypeForFind(TSelectCategoryForm &picker, QString &display, QString &result);
// Category and department pickers: display the name, result the condition on the chosen
// node and its whole subtree (WORK_TYPE_ID, REPAIR_TYPE_ID, MONEY_TYPE_ID or COMPANY_ID,
// written alias.column when an alias is given).
bool PickWorkTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result);
bool PickRepairTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result);
bool PickMoneyTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result);
bool PickDeptForFind(TSelectDeptForm &picker, const QString &alias, QString &display, QString &result);

// One look-up list of the find dialogs: a one-column table searched by the pop-up box's text.
struct FindLookupList
{
    QString table;
    QString column;
    QString caption;
    QString message;  // shown when nothing matches
    bool sorted = false;
};
const QList<FindLookupList> &FindLookupLists();
// The list of a table, or null.
const FindLookupList *FindLookupListOf(const QString &table);
// The statement listing the values of `list` that contain `text`.
QString FindLookupSql(const FindLookupList &list, const QString &text);

// Shows the selection window ("数据选择窗口") over the values of `table` that contain the
// box's text; on confirm the box text becomes the chosen value and the result "G". When
// nothing matches, the list's message and false.
bool PickListForFind(const QString &table, QString &boxText, QString &result, QWidget *parent = nullptr);

// Brings a picker forward and runs it modally; true on OK.
bool RunPicker(QDialog &picker);
