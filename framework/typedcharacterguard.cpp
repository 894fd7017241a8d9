#include "typedcharacterguard.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

TypedCharacterGuard::TypedCharacterGuard(QLineEdit *lineEdit, QObject *parent, QWidget *focusOwner)
    : QObject(parent), m_edit(lineEdit), m_focusOwner(focusOwner)
{
    lineEdit->installEventFilter(this);
    if (focusOwner)
        focusOwner->installEventFilter(this);
    setEditType(etString);
}

QLineEdit *TypedCharacterGuard::edit()
{
    if (auto *combo = qobject_cast<QComboBox *>(m_focusOwner)) {
        QLineEdit *current = combo->lineEdit();
        if (current != m_edit) {
            m_edit = current;
            if (current) {
                current->installEventFilter(this);
                applyType(current);
            }
        }
    }
    return m_edit;
}

void TypedCharacterGuard::setEditType(TEditTypes type)
{
    m_type = type;
    if (QLineEdit *current = edit())
        applyType(current);
}

void TypedCharacterGuard::applyType(QLineEdit *target)
{
    const TEditTypes type = m_type;
    target->setAttribute(Qt::WA_InputMethodEnabled, UsesInputMethod(type));
    Qt::InputMethodHints hints = Qt::ImhNone;
    if (type == etInteger)
        hints = Qt::ImhFormattedNumbersOnly;
    else if (type == etFloat)
        hints = Qt::ImhFormattedNumbersOnly;
    else if (type == etDate)
        hints = Qt::ImhDate;
    else if (type == etTime)
        hints = Qt::ImhTime;
    target->setInputMethodHints(hints);
}

bool TypedCharacterGuard::eventFilter(QObject *watched, QEvent *event)
{
    QLineEdit *current = edit();
    if (!current || (watched != current && watched != m_focusOwner))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        const int limit = LengthLimitOnEntry(m_type, current->text(), current->maxLength());
        if (limit > 0)
            current->setMaxLength(limit);
        // Read-only switches turn the input method back on; keep it off for numbers.
        current->setAttribute(Qt::WA_InputMethodEnabled, UsesInputMethod(m_type));
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        QString typed = key->text();
        if (typed.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        if (typed.size() != 1 || !typed.at(0).isPrint())
            return false;
        if (m_type == etInteger && current->maxLength() >= 32767 && typed == QLatin1String("-"))
            current->setMaxLength(11);
        const QString original = typed;
        const int selectionLength = current->hasSelectedText() ? int(current->selectedText().size()) : 0;
        const int selectionStart = current->hasSelectedText() ? current->selectionStart() : current->cursorPosition();
        if (!AcceptTypedCharacter(m_type, current->text(), selectionStart, selectionLength, typed))
            return true;
        if (typed != original) {
            current->insert(typed);
            return true;
        }
    }
    return false;
}
