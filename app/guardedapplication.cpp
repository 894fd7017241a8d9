#include "guardedapplication.h"

#include "exceptionhandler.h"

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleCurrentException(receiver);
        return false;
    }
}
