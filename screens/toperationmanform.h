#pragma once

#include "tqxdataset.h"
#include "tqxdform.h"

#include <QList>

class QCheckBox;
class QTreeWidgetItem;
class TFindFormDialog;
class TQXDBComboBox;
class TQXDBComboEdit;
class TQXDBEdit;
class TQXNDBGrid;
class TQXTreeView;
class TSelectDeptForm;

// The employee screen ("单位员工资料录入编辑窗口"): the department tree on the left, the
// employees filed under the selected department on the right - with those of every
// department below it unless "不显示下级部门人员记录" is ticked; with the root selected and
// the box unticked, every employee. New employees are filed under the selected department;
// "调动" (transfer) moves the current employee to a department picked from the tree.
//
// Employee numbers are typed, or drawn (year + six-digit counter) when the program switch
// "员工编号" is on; the number box is then read-only. The value lists behind six boxes
// (post, marital status, education, technical title, bank, licensed vehicle classes) are
// kept through the code-list picker on the spot.
class TOperationManForm final : public TQXDForm
{
    Q_OBJECT

public:
    static const QString RootId;  // "G001", the organisation

    explicit TOperationManForm(QWidget *owner = nullptr);
    ~TOperationManForm() override;

    QString SelectedId() const { return m_selectedId; }
    QTreeWidgetItem *SelectedNode() const { return m_selectedNode; }
    // Whether the screen draws employee numbers (read when it is shown).
    bool NumbersGenerated() const { return m_numbersGenerated; }
    // The condition on COMPANY_ID the list is loaded and searched with for the selected
    // node; empty: every employee.
    QString NodeCondition() const;
    // The department picker of the transfer command; null until first used.
    TSelectDeptForm *DeptPicker() const { return m_deptPicker; }

    QWidget *const TreePanel;
    TQXTreeView *const QXTreeView;
    QCheckBox *const CheckBox1;
    TQXDBEdit *DBEditEmployeeId = nullptr;
    TQXDBEdit *DBEditName = nullptr;
    TQXDBComboBox *DBComboBoxSex = nullptr;
    TQXDBComboEdit *DBComboEditBirthday = nullptr;
    TQXDBEdit *DBEditCard = nullptr;
    TQXDBComboEdit *DBComboEditMarriage = nullptr;
    TQXDBComboEdit *DBComboEditCultureLevel = nullptr;
    TQXDBComboEdit *DBComboEditTechnicPost = nullptr;
    TQXDBComboEdit *DBComboEditPost = nullptr;
    TQXDBEdit *DBEditHandset = nullptr;
    TQXDBEdit *DBEditWorkPhone = nullptr;
    TQXDBEdit *DBEditFamilyPhone = nullptr;
    TQXDBEdit *DBEditFamilyAddress = nullptr;
    TQXDBEdit *DBEditStipend = nullptr;
    TQXDBComboEdit *DBComboEditBank = nullptr;
    TQXDBEdit *DBEditAccountNumber = nullptr;
    TQXDBEdit *DBEditDriverId = nullptr;
    TQXDBComboEdit *DBComboEditDriverDate = nullptr;
    TQXDBEdit *DBEditDriverLimit = nullptr;
    TQXDBComboEdit *DBComboEditDriverType = nullptr;
    TQXDBEdit *DBEditDriverCircs = nullptr;
    TQXDBEdit *DBEditNote = nullptr;
    TQXDBEdit *DBEditCompanyName = nullptr;
    TQXNDBGrid *DBGrid1 = nullptr;
    TFindFormDialog *const FindFormDialog;

protected:
    void FormShow() override;
    void button_addClick() override;
    void button_editClick() override;
    void button_deleteClick() override;
    void button_findClick() override;
    void button_printClick() override;

private:
    // A box whose value comes from a one-column list table, and the box that gets the
    // focus once a value was chosen.
    struct ListBox
    {
        TQXDBComboEdit *edit;
        QString column;
        QString caption;
        QString table;
        QWidget *next;
    };

    void setUpQuery();
    void setUpTree();
    void layOut();
    void setUpPickers();

    void QXTreeViewExpanding(QTreeWidgetItem *node);
    void QXTreeViewChange(QTreeWidgetItem *node);
    void QXTreeViewCollapsing(QTreeWidgetItem *node);
    void CheckBox1Click();
    void Button_OtherClick();
    void QueryAfterInsert();
    void DSStateChange(TQXDataset::State state);
    int FindFormDialogPopupWindow(QString &value, QString &result, const QString &fieldName);

    // Loads the employees of the selected node, unless an edit is in progress or the list
    // shown was loaded for that node already.
    void LoadEmployees();
    // False after the refusal when no node is selected.
    bool nodeSelected() const;
    // Opens the code-list picker of `box`; true when a value was chosen.
    bool pickListValue(const ListBox &box);
    // Opens the date dialog for `edit`'s field; true when a date was stored.
    bool pickDate(TQXDBComboEdit *edit, QWidget *next);

    QString m_selectedId;
    QTreeWidgetItem *m_selectedNode = nullptr;
    QString m_lastLoaded;
    bool m_numbersGenerated = false;
    QList<ListBox> m_listBoxes;
    TSelectDeptForm *m_deptPicker = nullptr;  // a child of the screen, created on first use
};
