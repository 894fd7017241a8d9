#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;
class TQXTreeView;

// What the tree pickers share: the fixed-size window with the tree (loaded as the user
// opens its nodes) and "确定" / "关闭"; a double click or Esc presses "确定", which refuses
// with the picker's message while no node is selected.
class TTreePickDialog : public QDialog
{
    Q_OBJECT

public:
    ~TTreePickDialog() override;

    // The result: identifier and caption of the selected node.
    QString SelectedId;
    QString SelectedName;

    TQXTreeView *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

    // "确定": without a selected node shows the picker's message and stays open.
    void Button_okClick();

protected:
    TTreePickDialog(const QString &caption, const QString &message, QWidget *parent);

    // Sets the statements for the children of `node` before it opens.
    virtual void treeExpanding(QTreeWidgetItem *node) = 0;
    // Takes the result from the newly selected `node`.
    virtual void treeChange(QTreeWidgetItem *node) = 0;
    // Selects the first top-level node (the root), if there is one.
    void selectRoot();

    void keyPressEvent(QKeyEvent *event) override;

    TQXTreeView *m_tree = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;

private:
    QString m_message;
};
