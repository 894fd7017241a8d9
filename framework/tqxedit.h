#pragma once

#include "focuscolorkeeper.h"
#include "typedcharacterguard.h"

#include <QLineEdit>
#include <functional>

// The input box of the screens: focus colour, edit type and the Enter hook `OnSelect`
// (the screen controller calls it on Enter; setting the flag keeps the focus here).
class TQXEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TQXEdit(QWidget *parent = nullptr);

    TEditTypes editType() const { return m_guard->editType(); }
    void setEditType(TEditTypes type) { m_guard->setEditType(type); }
    FocusColorKeeper &colors() { return *m_colors; }

    std::function<void(bool &keepFocus)> OnSelect;

private:
    FocusColorKeeper *m_colors;
    TypedCharacterGuard *m_guard;
};
