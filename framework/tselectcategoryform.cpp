#include "tselectcategoryform.h"

#include "cjkfont.h"
#include "messageservice.h"
#include "tqxtreeview.h"
#include "uihelpers.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Root = QStringLiteral("G001");
// Children of levels 0 to 3 are counted; level-5 nodes never get an expand button.
constexpr int LastCountedLevel = 3;

} // namespace

TSelectCategoryForm::TSelectCategoryForm(const TreeTable &table, const QString &caption, const QString &message,
                                         QWidget *parent)
    : QDialog(parent), m_table(table), m_message(message)
{
    setWindowTitle(caption);
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

    connect(m_ok, &QPushButton::clicked, this, &TSelectCategoryForm::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &TSelectCategoryForm::Button_okClick);

    SelectedId = Root;
    SelectedName = table.word;
    m_tree->SetColor = true;
    m_tree->OnExpanding = [this](QTreeWidgetItem *node) { treeExpanding(node); };
    m_tree->OnChange = [this](QTreeWidgetItem *node) { treeChange(node); };
    m_tree->OnCollapsing = [this](QTreeWidgetItem *node) { m_tree->SetImageIndex(node, 0); };
    m_tree->HookEvents();
    m_tree->RootId = Root;
    m_tree->RootCaption = table.word;
    m_tree->DataBaseName = MainDatabaseName;
    m_tree->SetNodeSql(TQXTreeView::NodeSqlSet::ChildCount, QString(), 0, QString(), QStringLiteral("A"), QString());
}

void TSelectCategoryForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    if (m_tree->NodeCount() > 1)
        return;
    m_tree->BuildRoot();
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
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

void TSelectCategoryForm::Button_okClick()
{
    if (!m_tree->currentItem()) {
        ShowWarning(m_message);
        return;
    }
    accept();
}

void TSelectCategoryForm::keyPressEvent(QKeyEvent *event)
{
    // "确定" is also the window's cancel button.
    if (event->key() == Qt::Key_Escape) {
        Button_okClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
