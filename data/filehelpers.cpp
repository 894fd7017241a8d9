#include "filehelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool DirectoryExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString GetTempDir()
{
    return QDir::tempPath() + QLatin1Char('/');
}

QString ExtractExeDir(const QString &file)
{
    return QFileInfo(file).absolutePath() + QLatin1Char('/');
}

QString ParentDirectory(const QString &dir)
{
    return QFileInfo(QDir::cleanPath(dir)).absolutePath();
}

void DeleteTableFiles(const QString &)
{
}

namespace {

bool copyFile(const QString &source, const QString &target)
{
    if (QFileInfo::exists(target) && !QFile::remove(target))
        return false;
    return QFile::copy(source, target);
}

} // namespace

bool CopyFiles(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    if (source.isFile())
        return copyFile(from, QDir(to).filePath(source.fileName()));

    const QDir sourceDir(from);
    const QDir targetDir(to);
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = targetDir.filePath(sourceDir.relativeFilePath(path));
        if (it.fileInfo().isDir())
            ok = QDir().mkpath(target) && ok;
        else
            ok = QDir().mkpath(QFileInfo(target).absolutePath()) && copyFile(path, target) && ok;
    }
    return ok;
}
