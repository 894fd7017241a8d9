#include "tqxdbcomboedit.h"

#include "fieldbinding.h"

TQXDBComboEdit::TQXDBComboEdit(QWidget *parent)
    : TQXComboEdit(parent), m_binding(new FieldBinding(
                           this, [this] { return text(); },
                           [this](const QString &value) {
                               setText(value);
                               setCursorPosition(0);
                           }))
{
    connect(this, &QLineEdit::textChanged, m_binding, &FieldBinding::textChanged);
    connect(this, &QLineEdit::textEdited, m_binding, &FieldBinding::textChangedByUser);
}

TQXDBComboEdit::TQXDBComboEdit(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBComboEdit(parent)
{
    m_binding->setDataField(dataField);
    m_binding->setDataSource(source);
}

TQXDataSource *TQXDBComboEdit::dataSource() const
{
    return m_binding->dataSource();
}

void TQXDBComboEdit::setDataSource(TQXDataSource *source)
{
    m_binding->setDataSource(source);
}

QString TQXDBComboEdit::dataField() const
{
    return m_binding->dataField();
}

void TQXDBComboEdit::setDataField(const QString &fieldName)
{
    m_binding->setDataField(fieldName);
}
