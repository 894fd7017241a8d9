#include "messageservice.h"

namespace {

// Used before a window system service is installed (and by tools without one):
// warnings and errors go to the log, questions are answered No.
class SilentMessageService final : public MessageService
{
public:
    void warning(const QString &text, QObject *) override { qWarning("%s", qUtf8Printable(text)); }
    void error(const QString &text, QObject *) override { qWarning("%s", qUtf8Printable(text)); }
    bool question(const QString &, QObject *) override { return false; }
    QString openFileName(const QString &, const QString &, QObject *) override { return {}; }
    QString saveFileName(const QString &, const QString &, QObject *) override { return {}; }
    QString existingDirectory(const QString &, const QString &, QObject *) override { return {}; }
};

SilentMessageService silentService;
MessageService *installedService = nullptr;

} // namespace

MessageService &MessageService::current()
{
    return installedService ? *installedService : silentService;
}

void MessageService::install(MessageService *service)
{
    installedService = service;
}

void ShowWarning(const QString &text) { MessageService::current().warning(text, nullptr); }
void ShowError(const QString &text) { MessageService::current().error(text, nullptr); }
bool AskYesNo(const QString &text) { return MessageService::current().question(text + QStringLiteral(" ?"), nullptr); }
void ShowWarningFor(QObject *window, const QString &text) { MessageService::current().warning(text, window); }
void ShowErrorFor(QObject *window, const QString &text) { MessageService::current().error(text, window); }
