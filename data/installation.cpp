#include "installation.h"

#include "apperror.h"
#include "databaseengine.h"
#include "schemadefinition.h"
#include "settingsstore.h"
#include "engineerror.h"
#include "postgresengine.h"
#include "sqliteengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

void Installation::createDatabase(const QString &dataDir)
{
    SqliteEngine::createFile(dataDir);
    try {
        SqliteEngine engine(QStringLiteral("install:") + dataDir, dataDir);
        {
            DatabaseEngine::Transaction transaction(engine);
            for (const QString &statement : SchemaDefinition::shipped().sqliteStatements())
                engine.run(statement);
            for (const QString &statement : SchemaDefinition::shippedRows())
                engine.run(statement);
            transaction.commit();
        }
        engine.disconnect();
    } catch (...) {
        // A half-made database would pass for a real one: leave nothing behind.
        const QString path = SqliteEngine::filePath(dataDir);
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        throw;
    }
}

void Installation::createServerDatabase(const QString &url)
{
    PostgresEngine engine(QStringLiteral("install:") + url, QUrl(url));
    if (!engine.tableNames().isEmpty())
        throw EngineError(EngineCondition::Other, QStringLiteral("The database already has tables: %1").arg(QUrl(url).path()));
    {
        DatabaseEngine::Transaction transaction(engine);
        for (const QString &statement : PostgresEngine::schemaStatements())
            engine.run(statement);
        for (const QString &statement : SchemaDefinition::shippedRows())
            engine.run(statement);
        transaction.commit();
    }
    engine.disconnect();
}

bool Installation::install(const QString &dataDir, QString *error)
{
    const bool server = PostgresEngine::isServerAlias(dataDir);
    const QString dir = server ? dataDir : QDir(dataDir).absolutePath();
    try {
        if (server) {
            PostgresEngine probe(QStringLiteral("probe:") + dir, QUrl(dir));
            const bool empty = probe.tableNames().isEmpty();
            probe.disconnect();
            if (empty)
                createServerDatabase(dir);
        } else if (!QFileInfo::exists(SqliteEngine::filePath(dir))) {
            createDatabase(dir);
        }
    } catch (const AppError &failure) {
        if (error)
            *error = failure.message();
        return false;
    }
    if (!SettingsStore::write(MainAliasName, dir)) {
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(SettingsStore::fileName());
        return false;
    }
    return true;
}
