#include "soleconnection.h"

#include "databaseengine.h"
#include "engineerror.h"

#include <QSqlQuery>
#include <QVariant>

void RequireSoleConnection(DatabaseEngine &engine)
{
    if (engine.dataDir().isEmpty())
        return;
    // Ask once, without waiting for the other connections to go away.
    QSqlQuery timeout = engine.run(QStringLiteral("PRAGMA busy_timeout"));
    const int waited = timeout.next() ? timeout.value(0).toInt() : 0;
    engine.run(QStringLiteral("PRAGMA busy_timeout=0"));
    QString mode;
    try {
        QSqlQuery result = engine.run(QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (result.next())
            mode = result.value(0).toString();
    } catch (const EngineError &) {
        engine.run(QStringLiteral("PRAGMA busy_timeout=%1").arg(waited));
        throw EngineError(EngineCondition::TablesOpen, QStringLiteral("The database is in use by another connection"));
    }
    engine.run(QStringLiteral("PRAGMA busy_timeout=%1").arg(waited));
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw EngineError(EngineCondition::TablesOpen, QStringLiteral("The database is in use by another connection"));
}
