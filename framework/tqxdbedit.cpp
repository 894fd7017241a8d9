#include "tqxdbedit.h"

#include "fieldbinding.h"

TQXDBEdit::TQXDBEdit(QWidget *parent)
    : TQXEdit(parent), m_binding(new FieldBinding(
                           this, [this] { return text(); },
                           [this](const QString &value) {
                               setText(value);
                               setCursorPosition(0);
                           }))
{
    connect(this, &QLineEdit::textChanged, m_binding, &FieldBinding::textChanged);
    connect(this, &QLineEdit::textEdited, m_binding, &FieldBinding::textChangedByUser);
}

TQXDBEdit::TQXDBEdit(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBEdit(parent)
{
    m_binding->setDataField(dataField);
    m_binding->setDataSource(source);
}

TQXDataSource *TQXDBEdit::dataSource() const
{
    return m_binding->dataSource();
}

void TQXDBEdit::setDataSource(TQXDataSource *source)
{
    m_binding->setDataSource(source);
}

QString TQXDBEdit::dataField() const
{
    return m_binding->dataField();
}

void TQXDBEdit::setDataField(const QString &fieldName)
{
    m_binding->setDataField(fieldName);
}
