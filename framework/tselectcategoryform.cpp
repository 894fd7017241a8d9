#include "tselectcategoryform.h"

#include "tqxtreeview.h"
#include "uihelpers.h"

namespace {

const QString Root = QStringLiteral("G001");
// Children of levels 0 to 3 are counted; level-5 nodes never get an expand button.
constexpr int LastCountedLevel = 3;

} // namespace

TSelectCategoryForm::TSelectCategoryForm(const TreeTable &table, const QString &caption, const QString &message,
                                         QWidget *parent)
    : TTreePickDialog(caption, message, parent), m_table(table)
{
    SelectedId = Root;
    SelectedName = table.word;
    m_tree->RootId = Root;
    m_tree->RootCaption = table.word;
    m_tree->SetRootOnlyNodeSql();
}

void TSelectCategoryForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    if (m_tree->NodeCount() > 1)
        return;
    m_tree->BuildRoot();
    selectRoot();
}

void TSelectCategoryForm::treeExpanding(QTreeWidgetItem *node)
{
    m_table.SetLevelStatements(*m_tree, TQXTreeView::Level(node), Root, LastCountedLevel);
}

void TSelectCategoryForm::treeChange(QTreeWidgetItem *node)
{
    SelectedId = m_tree->NodeId(node);
    SelectedName = m_tree->NodeCaption(node);
}
