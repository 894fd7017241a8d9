#include "backupfilelist.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QDir::Filters FileFilter = QDir::Files | QDir::Hidden | QDir::System;
const QDir::Filters DirectoryFilter = QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks;
const QString RecursiveSwitch = QStringLiteral(" /s");

bool hasWildcard(const QString &pattern)
{
    return pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'));
}

} // namespace

QString BackupFileList::identity(const QFileInfo &file)
{
    QString path = file.canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(file.absoluteFilePath());
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    return path;
}

void BackupFileList::exclude(const QString &path)
{
    m_excluded = identity(QFileInfo(path));
}

void BackupFileList::ListFiles(const QString &directory)
{
    const QDir dir(directory);
    addMatching(dir, QStringLiteral("*"), dir, false);
}

void BackupFileList::AddFiles(const QString &filePattern)
{
    QString spec = filePattern.trimmed();
    const bool recursive = spec.endsWith(RecursiveSwitch, Qt::CaseInsensitive);
    if (recursive)
        spec = spec.left(spec.size() - RecursiveSwitch.size()).trimmed();
    if (spec.isEmpty())
        return;

    const QFileInfo info(spec);
    const QDir base = info.absoluteDir();
    QString pattern = info.fileName();
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    if (!recursive && !hasWildcard(pattern)) {
        if (info.isFile())
            add(info, base);
        return;
    }
    addMatching(base, pattern, base, recursive);
}

void BackupFileList::addMatching(const QDir &directory, const QString &pattern, const QDir &base, bool recursive)
{
    const QFileInfoList files = directory.entryInfoList({pattern}, FileFilter, QDir::Name);
    for (const QFileInfo &file : files)
        add(file, base);
    if (!recursive)
        return;
    const QFileInfoList subdirectories = directory.entryInfoList(DirectoryFilter, QDir::Name);
    for (const QFileInfo &subdirectory : subdirectories)
        addMatching(QDir(subdirectory.absoluteFilePath()), pattern, base, true);
}

void BackupFileList::add(const QFileInfo &file, const QDir &base)
{
    if (!file.isFile())
        return;
    const QString key = identity(file);
    if (key == m_excluded || m_known.contains(key))
        return;
    m_known.insert(key);
    m_entries.append({file.absoluteFilePath(), base.relativeFilePath(file.absoluteFilePath())});
}
