#include "typedcharacterguard.h"

#include <QKeyEvent>
#include <QLineEdit>

TypedCharacterGuard::TypedCharacterGuard(QLineEdit *edit, QObject *parent, QWidget *focusOwner)
    : QObject(parent), m_edit(edit), m_focusOwner(focusOwner)
{
    edit->installEventFilter(this);
    if (focusOwner)
        focusOwner->installEventFilter(this);
    setEditType(etString);
}

void TypedCharacterGuard::setEditType(TEditTypes type)
{
    m_type = type;
    const bool inputMethod = UsesInputMethod(type);
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, inputMethod);
    Qt::InputMethodHints hints = Qt::ImhNone;
    if (type == etInteger)
        hints = Qt::ImhFormattedNumbersOnly;
    else if (type == etFloat)
        hints = Qt::ImhFormattedNumbersOnly;
    else if (type == etDate)
        hints = Qt::ImhDate;
    else if (type == etTime)
        hints = Qt::ImhTime;
    m_edit->setInputMethodHints(hints);
}

bool TypedCharacterGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit && watched != m_focusOwner)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        const int limit = LengthLimitOnEntry(m_type, m_edit->text(), m_edit->maxLength());
        if (limit > 0)
            m_edit->setMaxLength(limit);
        // Read-only switches turn the input method back on; keep it off for numbers.
        m_edit->setAttribute(Qt::WA_InputMethodEnabled, UsesInputMethod(m_type));
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        QString typed = key->text();
        if (typed.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        if (typed.size() != 1 || !typed.at(0).isPrint())
            return false;
        if (m_type == etInteger && m_edit->maxLength() >= 32767 && typed == QLatin1String("-"))
            m_edit->setMaxLength(11);
        const QString original = typed;
        const int selectionLength = m_edit->hasSelectedText() ? int(m_edit->selectedText().size()) : 0;
        const int selectionStart = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
        if (!AcceptTypedCharacter(m_type, m_edit->text(), selectionStart, selectionLength, typed))
            return true;
        if (typed != original) {
            m_edit->insert(typed);
            return true;
        }
    }
    return false;
}
