#include "tqxfindsimpleform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TQXFindSimpleForm::TQXFindSimpleForm(QWidget *parent) : TFindWindowBase(parent, true)
{
    setObjectName(QStringLiteral("QXFindSimpleForm"));
    resize(420, 170);
    createButtons();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {m_ok, m_allDataButton, m_close})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(editorRows());
    layout->addLayout(buttons);
}

void TQXFindSimpleForm::ButtonOKClick()
{
    m_allData = false;
    if (!fieldAndRelationChosen())
        return;
    QString condition;
    if (!m_editors->buildCondition(m_editors->operatorSql(), SqlType, dialect(), &condition))
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
