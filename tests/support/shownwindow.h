#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// The visible top-level window of class `Window`, if any.
template<typename Window>
Window *shownWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Acts on the dialog of class `Dialog` once the exec() of the next command runs, after it
// became the active window (key shortcuts reach only that one). A dialog the action leaves
// open is rejected so the test cannot hang.
template<typename Dialog>
void whenShown(std::function<void(Dialog *)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        Dialog *dialog = shownWindow<Dialog>();
        if (!dialog)
            return;
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("the dialog did not become the active window");
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
