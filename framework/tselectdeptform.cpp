#include "tselectdeptform.h"

#include "cjkfont.h"
#include "databaseengine.h"
#include "messageservice.h"
#include "tqxtreeview.h"
#include "treetable.h"
#include "uihelpers.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TSelectDeptForm::TSelectDeptForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("部门选择窗口"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(504, 488);
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_tree = new TQXTreeView(this);
    m_tree->setObjectName(QStringLiteral("QXTreeView"));
    m_tree->setCursor(Qt::PointingHandCursor);
    m_tree->setFixedHeight(441);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton *button : {m_ok, m_close})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 8, 6);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TSelectDeptForm::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &TSelectDeptForm::Button_okClick);

    m_tree->SetColor = true;
    m_tree->OnExpanding = [this](QTreeWidgetItem *node) { treeExpanding(node); };
    m_tree->OnChange = [this](QTreeWidgetItem *node) { treeChange(node); };
    m_tree->OnCollapsing = [this](QTreeWidgetItem *node) { m_tree->SetImageIndex(node, 0); };
    m_tree->HookEvents();
    m_tree->DataBaseName = MainDatabaseName;
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
    m_tree->ClearNodeSql();
    m_tree->SetNodeSql(TQXTreeView::NodeSqlSet::ChildCount, QString(), 0, QString(), QStringLiteral("A"), QString());
    m_tree->BuildRoot();
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
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

void TSelectDeptForm::Button_okClick()
{
    if (!m_tree->currentItem()) {
        ShowWarning(QStringLiteral("必须选择一个业务单位节点"));
        return;
    }
    accept();
}

void TSelectDeptForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Button_okClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
