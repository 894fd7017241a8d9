#pragma once

#include <QString>

class DatabaseEngine;
class FileReplacement;
class TQXBackupFile;

// Restores a backup archive into the program's database and data directory, all or
// nothing. The whole archive is first restored into a staging folder and checked: it must
// hold either the database file (a backup of an SQLite database) with every table of the
// current database, or a table file for every table (a backup of a server database).
// Then:
// - an SQLite database takes the archived file in place of its own by a rename, after
//   making sure no other connection uses it; its -wal/-shm/-journal go first;
// - a server database, or an SQLite database restored from table files, replaces the rows
//   of every table in one transaction (an archived SQLite file is read for that);
// - the archived attachment files replace the files of the same name in the data directory;
//   other files there stay as they are.
// Whatever fails, the database and the data directory are left as they were.
class DatabaseRestore final
{
public:
    // `dataDir`: the directory of the attachment files; empty when there is none.
    DatabaseRestore(DatabaseEngine &engine, QString dataDir);

    // True when restored. False when the archive could not be read or failed its checks
    // (the component's error, or "无效的备份文件" for an archive of something else, is
    // shown) or a file could not be put in place ("覆盖文件失败"). Raises the component's
    // failures for an unreadable header or a segment without signature, and database
    // failures (EngineError TablesOpen while another connection uses the SQLite file).
    bool restore(const QString &archive, TQXBackupFile &component);

private:
    enum class Content { Unknown, DatabaseFile, TableFiles };

    Content check(const QString &folder);
    bool replaceDatabaseFile(const QString &stagedFile, FileReplacement &files);

    DatabaseEngine &m_engine;
    QString m_dataDir;
};
