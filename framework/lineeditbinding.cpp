#include "lineeditbinding.h"

#include <QLineEdit>

LineEditBinding::LineEditBinding(QLineEdit *edit)
    : m_binding(new FieldBinding(
          edit, [edit] { return edit->text(); },
          [edit](const QString &value) {
              edit->setText(value);
              edit->setCursorPosition(0);
          }))
{
    QObject::connect(edit, &QLineEdit::textChanged, m_binding, &FieldBinding::textChanged);
    QObject::connect(edit, &QLineEdit::textEdited, m_binding, &FieldBinding::textChangedByUser);
}

TQXDataSource *LineEditBinding::dataSource() const
{
    return m_binding->dataSource();
}

void LineEditBinding::setDataSource(TQXDataSource *source)
{
    m_binding->setDataSource(source);
}

QString LineEditBinding::dataField() const
{
    return m_binding->dataField();
}

void LineEditBinding::setDataField(const QString &fieldName)
{
    m_binding->setDataField(fieldName);
}
