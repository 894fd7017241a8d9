#include "restorestaging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

namespace {

constexpr int NameAttempts = 16;

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Renames `from` to `to`, replacing `to` atomically when it exists.
bool replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    return !error;
}

bool targetExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

RestoreStaging::~RestoreStaging()
{
    if (m_committed)
        return;
    m_current.reset();
    for (const Item &item : std::as_const(m_items))
        QFile::remove(item.staged);
    for (auto it = m_createdDirectories.crbegin(); it != m_createdDirectories.crend(); ++it)
        QDir().rmdir(*it);
}

QString RestoreStaging::uniqueName(const QString &directory, const QString &prefix)
{
    const quint64 number = QRandomGenerator::global()->generate64();
    return QDir(directory).filePath(prefix + QString::number(number, 16).rightJustified(16, QLatin1Char('0')));
}

bool RestoreStaging::makeDirectory(const QString &directory)
{
    QStringList missing;
    QString level = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    while (!QFileInfo(level).exists()) {
        missing.prepend(level);
        const QString parent = QFileInfo(level).absolutePath();
        if (parent == level)
            break;
        level = parent;
    }
    for (const QString &path : std::as_const(missing)) {
        if (!QDir().mkdir(path))
            return false;
        m_createdDirectories.append(path);
    }
    return QFileInfo(directory).isDir();
}

QFile *RestoreStaging::begin(const QString &target)
{
    m_current.reset();
    const QFileInfo info(target);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    if (info.isDir() || !makeDirectory(info.absolutePath()))
        return nullptr;

    for (int attempt = 0; attempt < NameAttempts && !m_current; ++attempt) {
        auto file = std::make_unique<QFile>(uniqueName(info.absolutePath(), QStringLiteral(".restoring-")));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            m_current = std::move(file);
    }
    if (!m_current)
        return nullptr;
    if (info.exists())
        m_current->setPermissions(info.permissions());

    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].target == path) {
            QFile::remove(m_items[i].staged);
            m_items.removeAt(i);
            break;
        }
    }
    m_items.append({path, m_current->fileName(), {}, false});
    return m_current.get();
}

bool RestoreStaging::end(const QDateTime &modified)
{
    if (!m_current)
        return false;
    bool ok = m_current->flush();
    if (ok && modified.isValid())
        ok = m_current->setFileTime(modified, QFileDevice::FileModificationTime);
    m_current->close();
    ok = ok && m_current->error() == QFileDevice::NoError;
    m_current.reset();
    return ok;
}

bool RestoreStaging::commit()
{
    m_current.reset();
    for (Item &item : m_items) {
        if (QFileInfo(item.target).isDir()) {
            rollback();
            return false;
        }
        if (targetExists(item.target)) {
            // A hard link keeps the old file without a moment when the target is missing.
            item.kept = uniqueName(QFileInfo(item.target).absolutePath(), QStringLiteral(".replaced-"));
            std::error_code error;
            std::filesystem::create_hard_link(fsPath(item.target), fsPath(item.kept), error);
            if (error && !replaceFile(item.target, item.kept)) {
                item.kept.clear();
                rollback();
                return false;
            }
        }
        if (!replaceFile(item.staged, item.target)) {
            rollback();
            return false;
        }
        item.placed = true;
    }
    for (const Item &item : std::as_const(m_items)) {
        if (!item.kept.isEmpty())
            QFile::remove(item.kept);
    }
    m_committed = true;
    return true;
}

void RestoreStaging::rollback()
{
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (!it->kept.isEmpty()) {
            replaceFile(it->kept, it->target);
            QFile::remove(it->kept);
        } else if (it->placed) {
            QFile::remove(it->target);
        }
        it->kept.clear();
        it->placed = false;
    }
}
