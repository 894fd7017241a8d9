#include "ttreepickdialog.h"

#include "cjkfont.h"
#include "databaseengine.h"
#include "messageservice.h"
#include "tqxtreeview.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TTreePickDialog::TTreePickDialog(const QString &caption, const QString &message, QWidget *parent)
    : QDialog(parent), m_message(message)
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

    connect(m_ok, &QPushButton::clicked, this, &TTreePickDialog::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &TTreePickDialog::Button_okClick);

    m_tree->SetColor = true;
    m_tree->OnExpanding = [this](QTreeWidgetItem *node) { treeExpanding(node); };
    m_tree->OnChange = [this](QTreeWidgetItem *node) { treeChange(node); };
    m_tree->OnCollapsing = [this](QTreeWidgetItem *node) { m_tree->SetImageIndex(node, 0); };
    m_tree->HookEvents();
    m_tree->DataBaseName = MainDatabaseName;
}

TTreePickDialog::~TTreePickDialog()
{
    // The subclass is gone: the tree must not call back into it while it is destroyed.
    m_tree->OnExpanding = nullptr;
    m_tree->OnChange = nullptr;
}

void TTreePickDialog::selectRoot()
{
    if (m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void TTreePickDialog::Button_okClick()
{
    if (!m_tree->currentItem()) {
        ShowWarning(m_message);
        return;
    }
    accept();
}

void TTreePickDialog::keyPressEvent(QKeyEvent *event)
{
    // "确定" is also the window's cancel button.
    if (event->key() == Qt::Key_Escape) {
        Button_okClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
