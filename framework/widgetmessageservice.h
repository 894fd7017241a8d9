#pragma once

#include "messageservice.h"

class QWidget;

// The message boxes and file pickers of the running program, shown with Qt widgets.
// A box belongs to the window of the given owner when that is a widget, else to the
// active window; the owner is raised and activated first so the box comes up in front.
class WidgetMessageService final : public MessageService
{
public:
    void warning(const QString &text, QObject *owner) override;
    void error(const QString &text, QObject *owner) override;
    bool question(const QString &text, QObject *owner) override;
    QString openFileName(const QString &caption, const QString &filter, QObject *owner) override;
    QString saveFileName(const QString &caption, const QString &filter, QObject *owner) override;
    QString existingDirectory(const QString &caption, const QString &start, QObject *owner) override;

    // The window a box for `owner` belongs to (nullptr when there is none), brought forward.
    static QWidget *ownerWindow(QObject *owner);
};
