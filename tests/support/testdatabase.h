#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class DatabaseEngine;

// A fresh data directory with the schema and shipped rows, connected as the main database,
// with the settings store pointed at a file inside it. Removed with everything in it when
// the fixture goes.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();

    QString dataDir() const;
    DatabaseEngine &engine();
    // A second, independent connection to the same database (another program copy).
    DatabaseEngine &secondConnection();

private:
    QTemporaryDir m_dir;
};
