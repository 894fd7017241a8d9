#include "tselectitemform.h"

#include "messageservice.h"
#include "uihelpers.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int GroupWidth = 372;
// The group's height as designed; 2, 3 and 4 options get a smaller one.
constexpr int DesignedGroupHeight = 177;

int groupHeight(int options)
{
    switch (options) {
    case 2:
        return 89;
    case 3:
        return 113;
    case 4:
        return 129;
    default:
        return DesignedGroupHeight;
    }
}

} // namespace

TSelectItemForm::TSelectItemForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("打印选择窗口"));

    m_group = new QGroupBox(this);
    m_group->setFixedWidth(GroupWidth);
    m_group->setFocusPolicy(Qt::StrongFocus);
    m_groupLayout = new QVBoxLayout(m_group);
    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setDefault(true);

    m_buttonRow = new QHBoxLayout;
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_ok);
    m_buttonRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(m_buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &TSelectItemForm::confirm);
}

void TSelectItemForm::addOption(const QString &text)
{
    auto *option = new QRadioButton(text, m_group);
    m_buttons->addButton(option, m_buttons->buttons().size());
    m_groupLayout->addWidget(option);
}

int TSelectItemForm::optionCount() const
{
    return int(m_buttons->buttons().size());
}

int TSelectItemForm::itemIndex() const
{
    return m_buttons->checkedId();
}

void TSelectItemForm::setItemIndex(int index)
{
    if (QAbstractButton *option = m_buttons->button(index)) {
        option->setChecked(true);
    } else if (QAbstractButton *checked = m_buttons->checkedButton()) {
        // An exclusive group does not let its last checked button go; lift that briefly.
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

void TSelectItemForm::confirm()
{
    const int index = itemIndex();
    if (index < 0) {
        ShowWarning(QStringLiteral("必须选择一个选项"));
        return;
    }
    m_choice = index + 1;
    accept();
}

void TSelectItemForm::showEvent(QShowEvent *event)
{
    m_group->setFixedHeight(groupHeight(optionCount()));
    if (itemIndex() < 0 && optionCount() > 0)
        setItemIndex(0);
    QDialog::showEvent(event);
    CenterOnScreen(this);
    if (QAbstractButton *checked = m_buttons->checkedButton())
        checked->setFocus();
    else
        m_group->setFocus();
}

void TSelectItemForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event);
}
