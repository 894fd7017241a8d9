#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class DatabaseEngine;

// A fresh database with the schema and shipped rows, connected as the main database, with
// the settings store pointed at a file in a temporary directory. Backends: "sqlite" (a
// data directory in the temporary directory) and "postgresql" (a new database on the server
// that RUVELO_TEST_PG names, e.g. postgresql://postgres@127.0.0.1:54329/postgres, dropped
// again when the fixture goes).
class TestDatabase
{
public:
    // `serverOptions` are added to the server's CREATE DATABASE (e.g. another locale).
    explicit TestDatabase(const QString &backend = QStringLiteral("sqlite"), const QString &serverOptions = QString());
    ~TestDatabase();

    // The backends tests run on: SQLite always, PostgreSQL when RUVELO_TEST_PG is set.
    static QStringList backends();
    // For data-driven tests: adds a "backend" column with a row per backend.
    static void addBackendRows();
    // The backend of the current global data row (a test whose initTestCase_data calls
    // addBackendRows).
    static QString currentBackend();

    const QString &backend() const { return m_backend; }
    bool isServer() const { return m_backend != QLatin1String("sqlite"); }
    // The data directory (SQLite) or the server URL of the test database (PostgreSQL).
    QString dataDir() const;
    QString aliasValue() const;
    DatabaseEngine &engine();
    // A second, independent connection to the same database (another program copy).
    DatabaseEngine &secondConnection();

    // A row trigger on either engine: `name` fires at `timing` ("AFTER UPDATE ON QX_CAR_TABLE")
    // and runs `statement` (SQLite statement syntax; PL/pgSQL on the server).
    void addTrigger(const QString &name, const QString &timing, const QString &statement);
    // A row trigger that refuses the write at `timing` with the error `message`.
    void addRefusal(const QString &name, const QString &timing, const QString &message);

private:
    QTemporaryDir m_dir;
    QString m_backend;
    QString m_serverUrl;
    QString m_serverDatabase;
};
