#include "engineconfig.h"

#include "postgresengine.h"
#include "sqliteengine.h"

#include <QUrl>

std::unique_ptr<DatabaseEngine> CreateEngine(const QString &databaseName, const QString &aliasValue)
{
    if (PostgresEngine::isServerAlias(aliasValue))
        return std::make_unique<PostgresEngine>(databaseName, QUrl(aliasValue));
    return std::make_unique<SqliteEngine>(databaseName, aliasValue);
}
