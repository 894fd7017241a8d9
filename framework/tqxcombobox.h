#pragma once

#include "focuscolorkeeper.h"
#include "typedcharacterguard.h"

#include <QComboBox>

// A drop-down list that also accepts typing, with focus colour and edit type.
class TQXComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TQXComboBox(QWidget *parent = nullptr);

    TEditTypes editType() const { return m_guard->editType(); }
    void setEditType(TEditTypes type) { m_guard->setEditType(type); }
    FocusColorKeeper &colors() { return *m_colors; }

private:
    FocusColorKeeper *m_colors;
    TypedCharacterGuard *m_guard;
};
