#include "tqxmedit.h"

TQXMEdit::TQXMEdit(QWidget *parent) : QLineEdit(parent), m_colors(new FocusColorKeeper(this))
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TQXMEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}
