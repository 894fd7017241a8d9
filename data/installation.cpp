#include "installation.h"

#include "apperror.h"
#include "databaseengine.h"
#include "schemadefinition.h"
#include "settingsstore.h"
#include "sqliteengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool Installation::install(const QString &dataDir, QString *error)
{
    const QString dir = QDir(dataDir).absolutePath();
    try {
        if (!QFileInfo::exists(SqliteEngine::filePath(dir)))
            createDatabase(dir);
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
