#include "tqxcombobox.h"

#include <QLineEdit>

TQXComboBox::TQXComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_colors = new FocusColorKeeper(this);
    m_guard = new TypedCharacterGuard(lineEdit(), this, this);
}
