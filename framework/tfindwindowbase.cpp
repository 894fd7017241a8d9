#include "tfindwindowbase.h"

#include "databaseengine.h"
#include "messageservice.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

TFindWindowBase::TFindWindowBase(QWidget *parent, bool simple) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("查找窗口"));
    setModal(true);
    m_editors = new FindEditors(this, simple);
}

void TFindWindowBase::createButtons()
{
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_allDataButton = new QPushButton(QStringLiteral("全部数据"), this);
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    styleButtons({m_ok, m_allDataButton, m_close});

    connect(m_ok, &QPushButton::clicked, this, &TFindWindowBase::ButtonOKClick);
    connect(m_allDataButton, &QPushButton::clicked, this, &TFindWindowBase::AllDataClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TFindWindowBase::styleButtons(std::initializer_list<QPushButton *> buttons)
{
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
}

const SqlDialect *TFindWindowBase::dialect() const
{
    if (Dialect)
        return Dialect;
    const DatabaseEngine *engine = DatabaseEngine::find(MainDatabaseName);
    return engine ? &engine->dialect() : nullptr;
}

QGridLayout *TFindWindowBase::editorRows() const
{
    auto *fields = new QGridLayout;
    fields->addWidget(m_editors->fieldLabel, 0, 0);
    fields->addWidget(m_editors->fieldBox, 0, 1);
    fields->addWidget(m_editors->operatorLabel, 1, 0);
    fields->addWidget(m_editors->operatorBox, 1, 1);
    fields->addWidget(m_editors->valueLabel, 2, 0);
    fields->addWidget(m_editors->valueStack, 2, 1);
    fields->setColumnStretch(1, 1);
    return fields;
}

bool TFindWindowBase::fieldAndRelationChosen()
{
    if (m_editors->fieldBox->currentText().isEmpty()) {
        ShowWarning(QStringLiteral("必须有一个查找字段"));
        m_editors->fieldBox->setFocus();
        return false;
    }
    if (m_editors->operatorBox->currentText().isEmpty()) {
        ShowWarning(QStringLiteral("必须有一个查找关系"));
        m_editors->operatorBox->setFocus();
        return false;
    }
    return true;
}

void TFindWindowBase::setAllDataOffered(bool offered)
{
    m_allDataButton->setVisible(offered);
}

void TFindWindowBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_editors->prepareForShow();
}

void TFindWindowBase::keyPressEvent(QKeyEvent *event)
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
