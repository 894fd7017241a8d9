#pragma once

#include <QList>
#include <QSet>
#include <QString>

class QDir;
class QFileInfo;

// The files a backup archives, in list order, each with the name it is stored under:
// relative to the directory of the pattern that found it, with its case.
// Hidden, system and read-only files are included; directories and special files
// (pipes, sockets, devices) are not. A file is listed once however it is reached.
class BackupFileList final
{
public:
    struct Entry
    {
        QString path;   // absolute path of the file
        QString name;   // the name stored in the archive
    };

    // Leaves out `path` (the archive being written) from everything listed afterwards.
    void exclude(const QString &path);
    // Every file of `directory`, names with and without a dot alike; no subdirectories.
    void ListFiles(const QString &directory);
    // A file, or a directory followed by a wildcard pattern ("*.*" meaning every file),
    // optionally followed by " /s" to search every subdirectory with the same pattern.
    void AddFiles(const QString &filePattern);

    const QList<Entry> &entries() const { return m_entries; }

private:
    void addMatching(const QDir &directory, const QString &pattern, const QDir &base, bool recursive);
    void add(const QFileInfo &file, const QDir &base);
    static QString identity(const QFileInfo &file);

    QString m_excluded;
    QSet<QString> m_known;
    QList<Entry> m_entries;
};
