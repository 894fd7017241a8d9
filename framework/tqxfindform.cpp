#include "tqxfindform.h"

#include "messageservice.h"
#include "tqxcomboedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TQXFindForm::TQXFindForm(QWidget *parent) : TFindWindowBase(parent, false)
{
    setObjectName(QStringLiteral("QXFindForm"));
    resize(560, 380);

    auto *logic = new QGroupBox(QStringLiteral("查找逻辑"), this);
    m_and = new QRadioButton(QStringLiteral("并且"), logic);
    m_or = new QRadioButton(QStringLiteral("或者"), logic);
    auto *logicLayout = new QVBoxLayout(logic);
    logicLayout->addWidget(m_and);
    logicLayout->addWidget(m_or);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_remove = new QPushButton(QStringLiteral("清除"), this);
    styleButtons({m_add, m_remove});
    createButtons();
    m_remove->setEnabled(false);
    m_ok->setEnabled(false);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ConditionList"));

    QGridLayout *fields = editorRows();
    fields->addWidget(m_editors->yearLabel, 3, 0);
    fields->addWidget(m_editors->yearBox, 3, 1);
    fields->addWidget(m_editors->monthLabel, 4, 0);
    fields->addWidget(m_editors->monthBox, 4, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(logic);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_add, m_remove, m_ok, m_allDataButton, m_close})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(m_list, 1);

    connect(m_add, &QPushButton::clicked, this, &TQXFindForm::AddCondition);
    connect(m_remove, &QPushButton::clicked, this, &TQXFindForm::RemoveCondition);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_remove->setEnabled(row >= 0); });
}

QStringList TQXFindForm::displayLines() const
{
    QStringList lines;
    for (int row = 0; row < m_list->count(); ++row)
        lines << m_list->item(row)->text();
    return lines;
}

void TQXFindForm::Clear()
{
    m_editors->clear();
    m_list->clear();
    m_sqlLines.clear();
    updateButtons();
}

void TQXFindForm::updateButtons()
{
    m_ok->setEnabled(m_list->count() > 0);
    m_remove->setEnabled(m_list->currentRow() >= 0 && m_list->currentItem() && m_list->currentItem()->isSelected());
}

void TQXFindForm::AddCondition()
{
    if (!fieldAndRelationChosen())
        return;
    const QString op = m_editors->operatorSql() + QLatin1Char(' ');
    QString condition;
    if (!m_editors->buildCondition(op, SqlType, dialect(), &condition))
        return;
    const QString caption = m_editors->currentEntry()->Caption;
    const QString value = m_editors->valueText();
    const bool fixed = m_editors->operatorFixed();
    const QString relation = fixed ? QStringLiteral(" 等于 ") : QLatin1Char(' ') + m_editors->operatorDisplay() + QLatin1Char(' ');
    if (m_list->count() == 0) {
        m_sqlLines << condition;
        m_list->addItem(QLatin1Char(' ') + caption + relation + value);
    } else if (m_and->isChecked()) {
        m_sqlLines << QStringLiteral(" and ") + condition;
        m_list->addItem((fixed ? QStringLiteral(" 并且  ") : QStringLiteral(" 并且 ")) + caption + relation + value);
    } else if (m_or->isChecked()) {
        m_sqlLines << QStringLiteral(" or ") + condition;
        m_list->addItem((fixed ? QStringLiteral(" 或着  ") : QStringLiteral(" 或着 ")) + caption + relation + value);
    } else {
        ShowWarning(QStringLiteral("必须有一个查找逻辑"));
        m_and->setFocus();
        return;
    }
    updateButtons();
}

void TQXFindForm::RemoveCondition()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    delete m_list->takeItem(row);
    m_sqlLines.removeAt(row);
    m_list->setCurrentRow(-1);
    m_remove->setEnabled(false);
    updateButtons();
}

void TQXFindForm::ButtonOKClick()
{
    m_allData = false;
    if (m_sqlLines.isEmpty()) {
        ShowWarning(QStringLiteral("没有查找表达式"));
        m_editors->fieldBox->setFocus();
        return;
    }
    if (m_sqlLines.first().startsWith(QLatin1String(" or ")) || m_sqlLines.first().startsWith(QLatin1String(" and ")))
        m_sqlLines.first().remove(0, 4);
    accept();
}

void TQXFindForm::AllDataClick()
{
    m_list->clear();
    m_sqlLines.clear();
    updateButtons();
    m_allData = true;
    accept();
}
