#include "tqxfindform.h"

#include "databaseengine.h"
#include "messageservice.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TQXFindForm::TQXFindForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("QXFindForm"));
    setWindowTitle(QStringLiteral("查找窗口"));
    setModal(true);
    resize(560, 380);
    m_editors = new FindEditors(this, false);

    auto *logic = new QGroupBox(QStringLiteral("查找逻辑"), this);
    m_and = new QRadioButton(QStringLiteral("并且"), logic);
    m_or = new QRadioButton(QStringLiteral("或者"), logic);
    auto *logicLayout = new QVBoxLayout(logic);
    logicLayout->addWidget(m_and);
    logicLayout->addWidget(m_or);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_remove = new QPushButton(QStringLiteral("清除"), this);
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_allDataButton = new QPushButton(QStringLiteral("全部数据"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    for (QPushButton *button : {m_add, m_remove, m_ok, m_allDataButton, m_close}) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
    m_remove->setEnabled(false);
    m_ok->setEnabled(false);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ConditionList"));

    auto *fields = new QGridLayout;
    fields->addWidget(m_editors->fieldLabel, 0, 0);
    fields->addWidget(m_editors->fieldBox, 0, 1);
    fields->addWidget(m_editors->operatorLabel, 1, 0);
    fields->addWidget(m_editors->operatorBox, 1, 1);
    fields->addWidget(m_editors->valueLabel, 2, 0);
    fields->addWidget(m_editors->valueStack, 2, 1);
    fields->addWidget(m_editors->yearLabel, 3, 0);
    fields->addWidget(m_editors->yearBox, 3, 1);
    fields->addWidget(m_editors->monthLabel, 4, 0);
    fields->addWidget(m_editors->monthBox, 4, 1);
    fields->setColumnStretch(1, 1);
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
    connect(m_ok, &QPushButton::clicked, this, &TQXFindForm::ButtonOKClick);
    connect(m_allDataButton, &QPushButton::clicked, this, &TQXFindForm::AllDataClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_remove->setEnabled(row >= 0); });
}

const SqlDialect *TQXFindForm::dialect() const
{
    if (Dialect)
        return Dialect;
    const DatabaseEngine *engine = DatabaseEngine::find(MainDatabaseName);
    return engine ? &engine->dialect() : nullptr;
}

QStringList TQXFindForm::displayLines() const
{
    QStringList lines;
    for (int row = 0; row < m_list->count(); ++row)
        lines << m_list->item(row)->text();
    return lines;
}

void TQXFindForm::setAllDataOffered(bool offered)
{
    m_allDataButton->setVisible(offered);
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

void TQXFindForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_editors->prepareForShow();
}

void TQXFindForm::AddCondition()
{
    if (m_editors->fieldBox->currentText().isEmpty()) {
        ShowWarning(QStringLiteral("必须有一个查找字段"));
        m_editors->fieldBox->setFocus();
        return;
    }
    if (m_editors->operatorBox->currentText().isEmpty()) {
        ShowWarning(QStringLiteral("必须有一个查找关系"));
        m_editors->operatorBox->setFocus();
        return;
    }
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

void TQXFindForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3) {
        ButtonOKClick();
        return;
    }
    if (event->key() == Qt::Key_F12) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
