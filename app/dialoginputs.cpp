#include "dialoginputs.h"

#include "appvalues.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void setBase(QWidget *input, quint32 rgb)
{
    QPalette palette = input->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(rgb));
    input->setPalette(palette);
}

} // namespace

DialogInputs::DialogInputs(QDialog *dialog, QAbstractButton *confirm, QAbstractButton *close)
    : QObject(dialog), m_confirm(confirm), m_close(close)
{
    dialog->installEventFilter(this);
    const QList<QWidget *> widgets = dialog->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        widget->installEventFilter(this);
        if (isInputBox(widget))
            setBase(widget, AppValues::EditColor);
    }
}

bool DialogInputs::isInputBox(const QWidget *widget)
{
    if (qobject_cast<const QComboBox *>(widget))
        return true;
    return qobject_cast<const QLineEdit *>(widget) && !qobject_cast<const QComboBox *>(widget->parentWidget());
}

bool DialogInputs::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F3 && m_confirm) {
            if (m_confirm->isEnabled())
                m_confirm->click();
            return true;
        }
        if (key->key() == Qt::Key_F4 && m_close) {
            if (m_close->isEnabled())
                m_close->click();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (enter && plain && isInputBox(widget)) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(widget, &tab);
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        if (isInputBox(widget))
            setBase(widget, AppValues::ColorOnFocus);
        return false;
    case QEvent::FocusOut:
        if (isInputBox(widget))
            setBase(widget, AppValues::EditColor);
        return false;
    default:
        return false;
    }
}
