#include "testdatabase.h"

#include "databaseengine.h"
#include "installation.h"
#include "sqliteengine.h"

#include <QDir>
#include <QtTest>

namespace {
const QString SecondName = QStringLiteral("SecondConnection");
}

TestDatabase::TestDatabase()
{
    qputenv("RUVELO_SETTINGS", QDir(m_dir.path()).filePath(QStringLiteral("settings.ini")).toUtf8());
    Installation::createDatabase(dataDir());
    DatabaseEngine::add(std::make_unique<SqliteEngine>(MainDatabaseName, dataDir())).connect();
}

TestDatabase::~TestDatabase()
{
    DatabaseEngine::remove(SecondName);
    DatabaseEngine::remove(MainDatabaseName);
}

QString TestDatabase::dataDir() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("data"));
}

DatabaseEngine &TestDatabase::engine()
{
    return DatabaseEngine::byName(MainDatabaseName);
}

DatabaseEngine &TestDatabase::secondConnection()
{
    if (DatabaseEngine *engine = DatabaseEngine::find(SecondName))
        return *engine;
    return DatabaseEngine::add(std::make_unique<SqliteEngine>(SecondName, dataDir()));
}
