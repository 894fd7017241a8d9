#include "singleinstance.h"

#include "messageservice.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>

namespace {

constexpr int PingTimeout = 1000;  // ms

QString runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
}

} // namespace

SingleInstance::SingleInstance(QString directory, QObject *parent)
    : QObject(parent), m_directory(directory.isEmpty() ? runtimeDirectory() : std::move(directory))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockName(const QString &title)
{
    QString name = QStringLiteral("QX") + title;
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\s\x00-\x1f])"));
    name.replace(unsafe, QStringLiteral("_"));
    return name;
}

QString SingleInstance::serverName(const QString &title) const
{
#ifdef Q_OS_WIN
    // Pipe names are global; the user's name keeps copies of different users apart.
    return lockName(title) + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#else
    return QDir(m_directory).filePath(lockName(title) + QStringLiteral(".socket"));
#endif
}

bool SingleInstance::CheckSingleInstance(const QString &title)
{
    QDir().mkpath(m_directory);
    auto lock = std::make_unique<QLockFile>(QDir(m_directory).filePath(lockName(title) + QStringLiteral(".lock")));
    // Held for the whole run, so it never goes stale by age; a lock whose process has
    // ended is still recognised and taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        ShowWarningFor(nullptr, QStringLiteral("程序已经运行"));
        askToComeForward(serverName(title));
        return false;
    }
    m_lock = std::move(lock);
    listen(serverName(title));
    return true;
}

void SingleInstance::listen(const QString &name)
{
    // A socket left by a copy that crashed would block the name; the lock says it is ours.
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A connection is the request itself; nothing needs to be read.
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            socket->deleteLater();
        emit activationRequested();
    });
    m_server->listen(name);
}

void SingleInstance::askToComeForward(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(PingTimeout))
        return;
    socket.disconnectFromServer();
}
