#pragma once

#include "focuscolorkeeper.h"

#include <QLineEdit>
#include <functional>

// An input box with an input mask (times, codes); the input method is always off.
class TQXMEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TQXMEdit(QWidget *parent = nullptr);

    FocusColorKeeper &colors() { return *m_colors; }
    std::function<void(bool &keepFocus)> OnSelect;

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    FocusColorKeeper *m_colors;
};
