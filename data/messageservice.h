#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Every message box of the program goes through the installed MessageService, so that
// the data layer shows messages without depending on widgets and tests can script answers.
// `owner` is the window a box belongs to (nullptr: the active window or the application window).
class MessageService
{
public:
    enum class Kind { Warning, Error, Question };

    virtual ~MessageService() = default;

    // A warning or information box, caption "提示信息".
    virtual void warning(const QString &text, QObject *owner) = 0;
    // An error box, caption "错误信息".
    virtual void error(const QString &text, QObject *owner) = 0;
    // A Yes/No question, caption "提示信息"; `text` arrives as the user sees it (with " ?").
    virtual bool question(const QString &text, QObject *owner) = 0;
    // File and directory choices; an empty result means the user cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter, QObject *owner) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter, QObject *owner) = 0;
    virtual QString existingDirectory(const QString &caption, const QString &start, QObject *owner) = 0;

    // The service in use; never null (a silent one until a real one is installed).
    static MessageService &current();
    // Installs `service` (not owned); nullptr restores the silent default.
    static void install(MessageService *service);
};

// The message operations every screen uses.
void ShowWarning(const QString &text);
void ShowError(const QString &text);
bool AskYesNo(const QString &text);
void ShowWarningFor(QObject *window, const QString &text);
void ShowErrorFor(QObject *window, const QString &text);
