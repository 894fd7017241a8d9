#pragma once

#include "treetable.h"

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;
class TQXTreeView;

// The category picker design shared by the four category trees: the tree (root "G001"
// captioned with the category word, four levels below it, loaded as the user opens them)
// and "确定" / "关闭". The root is a valid choice. The tree keeps its state between
// showings; Esc presses "确定".
class TSelectCategoryForm : public QDialog
{
    Q_OBJECT

public:
    // The result: identifier and caption of the selected node.
    QString SelectedId;
    QString SelectedName;

    TQXTreeView *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    const TreeTable &table() const { return m_table; }

    // "确定": without a selected node shows the picker's message and stays open.
    void Button_okClick();

protected:
    TSelectCategoryForm(const TreeTable &table, const QString &caption, const QString &message, QWidget *parent);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void treeExpanding(QTreeWidgetItem *node);
    void treeChange(QTreeWidgetItem *node);

    TreeTable m_table;
    QString m_message;
    TQXTreeView *m_tree = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
