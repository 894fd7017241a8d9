#include "tqxdbcombobox.h"

#include "fieldbinding.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TQXDBComboBox::TQXDBComboBox(QWidget *parent)
    : TQXComboBox(parent),
      m_binding(new FieldBinding(this, [this] { return currentText(); }, [this](const QString &value) { setCurrentText(value); }))
{
    connect(this, &QComboBox::currentTextChanged, m_binding, &FieldBinding::textChanged);
    connect(lineEdit(), &QLineEdit::textEdited, m_binding, &FieldBinding::textChangedByUser);
    connect(this, &QComboBox::activated, m_binding, &FieldBinding::textChangedByUser);
}

TQXDBComboBox::TQXDBComboBox(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBComboBox(parent)
{
    m_binding->setDataField(dataField);
    m_binding->setDataSource(source);
}

TQXDataSource *TQXDBComboBox::dataSource() const
{
    return m_binding->dataSource();
}

void TQXDBComboBox::setDataSource(TQXDataSource *source)
{
    m_binding->setDataSource(source);
}

QString TQXDBComboBox::dataField() const
{
    return m_binding->dataField();
}

void TQXDBComboBox::setDataField(const QString &fieldName)
{
    m_binding->setDataField(fieldName);
}

void TQXDBComboBox::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    lineEdit()->setReadOnly(readOnly);
}

void TQXDBComboBox::showPopup()
{
    if (!m_readOnly)
        TQXComboBox::showPopup();
}

void TQXDBComboBox::keyPressEvent(QKeyEvent *event)
{
    // Keys that would pick another item.
    if (m_readOnly) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_F4:
            event->ignore();
            return;
        default:
            break;
        }
    }
    TQXComboBox::keyPressEvent(event);
}

void TQXDBComboBox::wheelEvent(QWheelEvent *event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    TQXComboBox::wheelEvent(event);
}
