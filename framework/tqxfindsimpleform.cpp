#include "tqxfindsimpleform.h"

#include "databaseengine.h"
#include "messageservice.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

TQXFindSimpleForm::TQXFindSimpleForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("QXFindSimpleForm"));
    setWindowTitle(QStringLiteral("查找窗口"));
    setModal(true);
    resize(420, 170);
    m_editors = new FindEditors(this, true);
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_allDataButton = new QPushButton(QStringLiteral("全部数据"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    for (QPushButton *button : {m_ok, m_allDataButton, m_close}) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }

    auto *fields = new QGridLayout;
    fields->addWidget(m_editors->fieldLabel, 0, 0);
    fields->addWidget(m_editors->fieldBox, 0, 1);
    fields->addWidget(m_editors->operatorLabel, 1, 0);
    fields->addWidget(m_editors->operatorBox, 1, 1);
    fields->addWidget(m_editors->valueLabel, 2, 0);
    fields->addWidget(m_editors->valueStack, 2, 1);
    fields->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {m_ok, m_allDataButton, m_close})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TQXFindSimpleForm::ButtonOKClick);
    connect(m_allDataButton, &QPushButton::clicked, this, &TQXFindSimpleForm::AllDataClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TQXFindSimpleForm::setAllDataOffered(bool offered)
{
    m_allDataButton->setVisible(offered);
}

void TQXFindSimpleForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_editors->prepareForShow();
}

void TQXFindSimpleForm::ButtonOKClick()
{
    m_allData = false;
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
    const DatabaseEngine *engine = DatabaseEngine::find(MainDatabaseName);
    const SqlDialect *dialect = Dialect ? Dialect : (engine ? &engine->dialect() : nullptr);
    QString condition;
    if (!m_editors->buildCondition(m_editors->operatorSql(), SqlType, dialect, &condition))
        return;
    m_condition = condition;
    accept();
}

void TQXFindSimpleForm::AllDataClick()
{
    m_condition.clear();
    m_allData = true;
    accept();
}

void TQXFindSimpleForm::keyPressEvent(QKeyEvent *event)
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
