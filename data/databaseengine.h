#pragma once

#include "sqldialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>

class QSqlError;

// The database every query of the program names, and the alias that points at it.
inline const QString MainDatabaseName = QStringLiteral("RuveloDataBase");
inline const QString MainAliasName = QStringLiteral("RuveloLink");

struct ColumnInfo
{
    QString name;
    QString type;   // "TEXT", "DATE", "FLOAT" or "INTEGER"
    int width = 0;  // the width of a text column in GBK bytes; 0 when unlimited
};

// One connection to the program's database, under a name that queries address it by.
// Backends differ in how they connect, what their dialect writes, how their failures map
// onto EngineCondition and how tables are packed, verified and rebuilt; callers see none
// of that. All failures are raised as EngineError (or ConvertError for an invalid date).
class DatabaseEngine
{
public:
    virtual ~DatabaseEngine();

    // Engines are kept by database name; `add` replaces an engine of the same name.
    static DatabaseEngine *find(const QString &databaseName);
    static DatabaseEngine &byName(const QString &databaseName);  // raises DatabaseError
    static DatabaseEngine &add(std::unique_ptr<DatabaseEngine> engine);
    static void remove(const QString &databaseName);

    const QString &databaseName() const { return m_databaseName; }
    virtual const SqlDialect &dialect() const = 0;
    // The directory that holds the database's files (empty for a server database).
    virtual QString dataDir() const = 0;

    // Connects now; raises EngineError(OpenFailed) when the database cannot be opened.
    void connect();
    // Closes every result and the connection; afterwards no file of the database is open.
    void disconnect();
    bool isConnected() const;
    // The connection, connecting on first use.
    QSqlDatabase database();

    // Runs a statement and returns its result positioned before the first row
    // (bidirectional). Raises on failure.
    QSqlQuery run(const QString &sql);
    // Runs a prepared statement with bound values.
    QSqlQuery run(const QString &sql, const QVariantList &values);

    // Raises the failure a driver error stands for.
    [[noreturn]] virtual void raise(const QSqlError &error) const = 0;

    virtual QStringList tableNames() = 0;
    virtual QList<ColumnInfo> columns(const QString &table) = 0;
    // Rewrites the database without deleted rows (raises TablesOpen while others use it).
    virtual void pack() = 0;
    // Problems found in one table and its indexes; empty when the table is sound.
    virtual QStringList verifyTable(const QString &table) = 0;
    // Rebuilds the whole database with fresh indexes; raises on failure.
    virtual void rebuild() = 0;

    // A transaction that rolls back unless committed.
    class Transaction
    {
    public:
        explicit Transaction(DatabaseEngine &engine);
        ~Transaction();
        void commit();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        DatabaseEngine &m_engine;
        bool m_open = false;
    };

    // A savepoint inside a transaction: a failed statement after it can be undone without
    // losing the transaction (PostgreSQL refuses every statement after a failure until then).
    class Savepoint
    {
    public:
        explicit Savepoint(DatabaseEngine &engine);
        ~Savepoint();
        void release();
        Savepoint(const Savepoint &) = delete;
        Savepoint &operator=(const Savepoint &) = delete;

    private:
        DatabaseEngine &m_engine;
        QString m_name;
        bool m_open = false;
    };

protected:
    explicit DatabaseEngine(QString databaseName);
    // Opens the connection named databaseName(); raises on failure.
    virtual void openConnection() = 0;

private:
    QString m_databaseName;
};
