#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// Keeps a second copy of the program from running. The first copy holds a lock file
// "QX" + title in the user's runtime directory (a lock left by a copy that crashed is taken
// over) and listens on a local socket of the same name; a second copy asks it to come
// forward and then ends.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // `directory` holds the lock file and socket; empty means the user's runtime directory.
    explicit SingleInstance(QString directory = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy; the lock is then held until this object goes.
    // Otherwise warns "程序已经运行", asks the running copy to come forward and returns false.
    bool CheckSingleInstance(const QString &title);

    // The file name used for a title (characters a file name cannot hold are replaced).
    static QString lockName(const QString &title);

signals:
    // Another copy asked this one to show its window.
    void activationRequested();

private:
    QString serverName(const QString &title) const;
    void listen(const QString &name);
    static void askToComeForward(const QString &name);

    QString m_directory;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
