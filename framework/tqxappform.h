#pragma once

#include "tqxbaseform.h"

#include <QToolButton>
#include <functional>

class QFrame;
class QVBoxLayout;

// A screen with the command tool bar: add F5, edit F6, delete F7, save F8, cancel F9,
// find F10, print F11, close F12, and the hidden navigation, supplement and verify buttons.
// A function key presses its button when the button is enabled and visible, also while an
// input has the focus (the keys come through the screen controller's key preview). Some
// desktops keep F10 (menu bar), F11 (full screen) or F12 (drop-down terminal) for
// themselves; the buttons stay available there.
class TQXAppForm : public TQXBaseForm
{
    Q_OBJECT

public:
    explicit TQXAppForm(QWidget *owner = nullptr);

    QFrame *const CoolBar1;
    QWidget *const ToolBar1;
    QToolButton *const button_add;
    QToolButton *const button_edit;
    QToolButton *const button_delete;
    QToolButton *const button_save;
    QToolButton *const button_cancel;
    QToolButton *const button_find;
    QToolButton *const button_First;
    QToolButton *const button_Prior;
    QToolButton *const button_next;
    QToolButton *const button_Last;
    QToolButton *const Button_Other;
    QToolButton *const button_check;
    QToolButton *const button_print;
    QToolButton *const button_close;

    bool Checking = false;

    // The button of a function key (F5 to F12), or null.
    QToolButton *FunctionKeyButton(int key) const;

protected:
    void FormShow() override;
    bool FormKeyDown(QKeyEvent *event) override;

    // The commands. Find and print are the business screen's (find dialogs, reports).
    virtual void button_saveClick();
    virtual void button_closeClick();
    virtual void button_checkClick();
    virtual void button_findClick() {}
    virtual void button_printClick() {}

    // Runs a command of the screen: a refusal (AbortError) ends it silently, any other
    // failure goes to the failure handler.
    void RunCommand(const std::function<void()> &command);
    // Runs the screen's `command` through RunCommand whenever `button` is clicked.
    template <class Screen>
    void OnClick(QToolButton *button, void (Screen::*command)())
    {
        connect(button, &QAbstractButton::clicked, this, [this, command] {
            RunCommand([this, command] { (static_cast<Screen *>(this)->*command)(); });
        });
    }

    // The screen's layout below the tool bar.
    QVBoxLayout *FormLayout() const { return m_layout; }

private:
    QVBoxLayout *m_layout;
};
