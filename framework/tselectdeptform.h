#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;
class TQXTreeView;

// The department picker ("部门选择窗口"): the department tree under a root the caller
// gives (every caller: "G001" and the organisation's name), without a depth limit. A
// showing after a department other than the root was chosen starts from a rebuilt tree
// with the root selected; after the root was chosen the tree stays as left. Esc presses
// "确定".
class TSelectDeptForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectDeptForm(QWidget *parent = nullptr);

    QString RootId;
    QString RootName;
    QString SelectedId;
    QString SelectedName;

    TQXTreeView *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    void Button_okClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void treeExpanding(QTreeWidgetItem *node);
    void treeChange(QTreeWidgetItem *node);

    TQXTreeView *m_tree = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
