#pragma once

#include "ttreepickdialog.h"

// The department picker ("部门选择窗口"): the department tree under a root the caller
// gives (every caller: "G001" and the organisation's name), without a depth limit. A
// showing after a department other than the root was chosen starts from a rebuilt tree
// with the root selected; after the root was chosen the tree stays as left. Esc presses
// "确定".
class TSelectDeptForm final : public TTreePickDialog
{
    Q_OBJECT

public:
    explicit TSelectDeptForm(QWidget *parent = nullptr);

    QString RootId;
    QString RootName;

protected:
    void showEvent(QShowEvent *event) override;
    void treeExpanding(QTreeWidgetItem *node) override;
    void treeChange(QTreeWidgetItem *node) override;
};
