#include "pickkeys.h"

#include <QDialog>
#include <QKeyEvent>

bool HandlePickKeys(QDialog &dialog, QKeyEvent *event, const std::function<void()> &choose)
{
    switch (event->key()) {
    case Qt::Key_F3:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        choose();
        return true;
    case Qt::Key_F12:
        dialog.reject();
        return true;
    default:
        return false;
    }
}
