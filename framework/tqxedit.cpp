#include "tqxedit.h"

TQXEdit::TQXEdit(QWidget *parent)
    : QLineEdit(parent), m_colors(new FocusColorKeeper(this)), m_guard(new TypedCharacterGuard(this, this))
{
}
