#pragma once

#include <QApplication>

// The application object: every failure that escapes an event handler is shown by
// HandleException instead of ending the program.
class GuardedApplication final : public QApplication
{
    Q_OBJECT

public:
    GuardedApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
