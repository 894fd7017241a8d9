#pragma once

#include "treetable.h"
#include "ttreepickdialog.h"

// The category picker design shared by the four category trees: the tree (root "G001"
// captioned with the category word, four levels below it, loaded as the user opens them)
// and "确定" / "关闭". The root is a valid choice. The tree keeps its state between
// showings; Esc presses "确定".
class TSelectCategoryForm : public TTreePickDialog
{
    Q_OBJECT

public:
    const TreeTable &table() const { return m_table; }

protected:
    TSelectCategoryForm(const TreeTable &table, const QString &caption, const QString &message, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    void treeExpanding(QTreeWidgetItem *node) override;
    void treeChange(QTreeWidgetItem *node) override;

private:
    TreeTable m_table;
};
