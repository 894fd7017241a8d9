#pragma once

#include "databaseengine.h"
#include "sqlitedialect.h"

// The embedded default: the whole database is one SQLite file in the data directory.
// Every connection registers gbk_width() (the schema's width checks use it), turns on
// foreign keys and WAL, and waits for other writers instead of failing at once.
class SqliteEngine final : public DatabaseEngine
{
public:
    SqliteEngine(const QString &databaseName, const QString &dataDir);

    // The database file's name inside the data directory.
    static QString fileName();
    // The database file of a data directory.
    static QString filePath(const QString &dataDir);
    // Creates an empty database file (no tables); raises when it exists or cannot be made.
    static void createFile(const QString &dataDir);
    // Registers the functions the schema's checks use (gbk_width) on a connection opened
    // with the SQLite C API; `handle` is its sqlite3*.
    static void registerFunctions(void *handle);

    const SqlDialect &dialect() const override { return m_dialect; }
    QString dataDir() const override { return m_dataDir; }

    [[noreturn]] void raise(const QSqlError &error) const override;

    QStringList tableNames() override;
    QList<ColumnInfo> columns(const QString &table) override;
    void pack() override;
    QStringList verifyTable(const QString &table) override;
    void rebuild() override;

protected:
    void openConnection() override;

private:
    void openFile(bool create);

    QString m_dataDir;
    SqliteDialect m_dialect;
};
