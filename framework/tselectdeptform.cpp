#include "tselectdeptform.h"

#include "tqxtreeview.h"
#include "treetable.h"
#include "uihelpers.h"

TSelectDeptForm::TSelectDeptForm(QWidget *parent)
    : TTreePickDialog(QStringLiteral("部门选择窗口"), QStringLiteral("必须选择一个业务单位节点"), parent)
{
}

void TSelectDeptForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    if (!SelectedId.isEmpty() && SelectedId == RootId)
        return;
    SelectedId = RootId;
    SelectedName = RootName;
    m_tree->ClearTree();
    m_tree->RootId = RootId;
    m_tree->RootCaption = RootName;
    m_tree->SetRootOnlyNodeSql();
    m_tree->BuildRoot();
    selectRoot();
}

void TSelectDeptForm::treeExpanding(QTreeWidgetItem *node)
{
    TreeTable::Dept().SetLevelStatements(*m_tree, TQXTreeView::Level(node), RootId, -1);
}

void TSelectDeptForm::treeChange(QTreeWidgetItem *node)
{
    if (node) {
        SelectedId = m_tree->NodeId(node);
        SelectedName = m_tree->NodeCaption(node);
    } else {
        SelectedId = RootId;
        SelectedName = RootName;
    }
}
