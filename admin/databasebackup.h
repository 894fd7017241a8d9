#pragma once

#include <QString>
#include <QStringList>

class DatabaseEngine;
class TQXBackupFile;

// Writes a backup archive of the program's data while the database stays open: a
// consistent snapshot of the database (an SQLite file copied with VACUUM INTO, or the
// portable table files of a server database) and the attachment files of the data
// directory are put into a staging folder beside the archive, and the folder is archived.
class DatabaseBackup final
{
public:
    // `dataDir`: the directory of the attachment files; empty when there is none.
    DatabaseBackup(DatabaseEngine &engine, QString dataDir);

    // Writes the snapshot into the existing, empty `folder`. Raises on failure.
    void snapshot(const QString &folder);
    // Archives a fresh snapshot into `archive`. False, with the error shown ("不能写备份的文件"
    // when no staging folder can be made there), when the archive was not completed;
    // raises when the snapshot failed.
    bool backup(const QString &archive, TQXBackupFile &component);

    // The attachment files of a data directory: every file except the database file and
    // its companions (-wal, -shm, -journal and the like).
    static QStringList attachmentFiles(const QString &dataDir);
    static bool isDatabaseFile(const QString &fileName);

private:
    DatabaseEngine &m_engine;
    QString m_dataDir;
};
