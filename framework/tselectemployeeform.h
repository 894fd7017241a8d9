#pragma once

#include <QDialog>
#include <memory>

class GridScreenHook;
class QCheckBox;
class QPushButton;
class QTreeWidgetItem;
class TQXNDBGrid;
class TQXQuery;
class TQXTreeView;

// The employee picker ("人员选择窗口"): the department tree on the left, the employees of
// the selected department (and, unless "不显示下级部门人员记录" is ticked, of all departments
// below it) on the right. The result is the current row of listQuery() (EMPLOYEE_NAME,
// EMPLOYEE_ID, EMPLOYEE_POST, COMPANY_ID) with SelectedDeptId and SelectedDeptName.
class TSelectEmployeeForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectEmployeeForm(QWidget *parent = nullptr);
    ~TSelectEmployeeForm() override;

    QString SelectedDeptId;
    QString SelectedDeptName;

    TQXQuery *listQuery() const { return m_query.get(); }
    TQXTreeView *tree() const { return m_tree; }
    TQXNDBGrid *grid() const { return m_grid; }
    QCheckBox *checkBox() const { return m_check; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    // The department the list was last loaded for.
    const QString &lastLoadedDept() const { return m_lastLoaded; }
    // How many times the list was loaded.
    int loadCount() const { return m_loads; }

    // The condition the list is loaded with for the selected department (empty: all).
    QString ListCondition() const;
    void LoadList();
    void CheckBox1Click();
    void Button_okClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void treeExpanding(QTreeWidgetItem *node);
    void treeChange(QTreeWidgetItem *node);

    std::unique_ptr<TQXQuery> m_query;
    std::unique_ptr<GridScreenHook> m_hook;
    TQXTreeView *m_tree = nullptr;
    TQXNDBGrid *m_grid = nullptr;
    QCheckBox *m_check = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
    QString m_lastLoaded;
    int m_loads = 0;
};
