#include "postgresengine.h"

#include "engineerror.h"
#include "schemadefinition.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

EngineCondition conditionOf(const QString &state)
{
    if (state == QLatin1String("23503"))
        return EngineCondition::ReferencedRow;
    if (state == QLatin1String("23505"))
        return EngineCondition::DuplicateKey;
    if (state == QLatin1String("23514") || state == QLatin1String("22001") || state == QLatin1String("22003"))
        return EngineCondition::TooLarge;
    if (state.startsWith(QLatin1String("08")) || state == QLatin1String("3D000") || state == QLatin1String("28P01")
        || state == QLatin1String("28000"))
        return EngineCondition::OpenFailed;
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01") || state == QLatin1String("55006"))
        return EngineCondition::TablesOpen;
    if (state == QLatin1String("40001"))
        return EngineCondition::ChangedByOther;
    return EngineCondition::Other;
}

// SQLSTATEs are five characters of digits and capitals; the native code shown to the user
// is their base-36 value, so every state has a distinct number.
int numberOf(const QString &state)
{
    bool ok = false;
    const int number = state.toInt(&ok, 36);
    return ok ? number : -1;
}

} // namespace

PostgresEngine::PostgresEngine(const QString &databaseName, const QUrl &server)
    : DatabaseEngine(databaseName), m_server(server)
{
}

bool PostgresEngine::isServerAlias(const QString &aliasValue)
{
    return aliasValue.startsWith(QLatin1String("postgresql://")) || aliasValue.startsWith(QLatin1String("postgres://"));
}

QStringList PostgresEngine::schemaStatements()
{
    // ASCII characters count one, every other character two, as the column widths do.
    QStringList statements{QStringLiteral(
        "CREATE OR REPLACE FUNCTION gbk_width(t TEXT) RETURNS INTEGER LANGUAGE SQL IMMUTABLE STRICT PARALLEL SAFE AS "
        "$$ SELECT 2 * char_length(t) - char_length(regexp_replace(t, '[^\\x01-\\x7F]', '', 'g')) $$")};
    statements << SchemaDefinition::shipped().createStatements(SchemaDefinition::Engine::Postgres);
    return statements;
}

void PostgresEngine::openConnection()
{
    QSqlDatabase db = QSqlDatabase::contains(databaseName())
        ? QSqlDatabase::database(databaseName(), false)
        : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), databaseName());
    db.setHostName(m_server.host());
    db.setPort(m_server.port(5432));
    db.setDatabaseName(m_server.path().mid(1));
    db.setUserName(m_server.userName());
    db.setPassword(m_server.password());
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();  // no handle may outlive the connection's removal
        disconnect();
        throw EngineError(EngineCondition::OpenFailed, error.text(), numberOf(error.nativeErrorCode()));
    }
    // Dates travel as ISO text whatever the server's default.
    QSqlQuery(db).exec(QStringLiteral("SET DateStyle = 'ISO, YMD'"));
}

void PostgresEngine::raise(const QSqlError &error) const
{
    const QString state = error.nativeErrorCode();
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (state == QLatin1String("22007") || state == QLatin1String("22008")
        || (state == QLatin1String("23514") && text.contains(QLatin1String("date_"))))
        throw ConvertError(QStringLiteral("%1: value is not a valid date").arg(text.trimmed()));
    throw EngineError(conditionOf(state), text.trimmed(), numberOf(state));
}

QStringList PostgresEngine::tableNames()
{
    QSqlQuery query = run(QStringLiteral(
        "SELECT upper(table_name) FROM information_schema.tables WHERE table_schema = current_schema() "
        "AND table_type = 'BASE TABLE' ORDER BY 1"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QList<ColumnInfo> PostgresEngine::columns(const QString &table)
{
    // The declared widths live in the width_<column> constraints; the schema description
    // is their source, so read them from there.
    QList<ColumnInfo> result;
    QSqlQuery query = run(QStringLiteral(
        "SELECT upper(column_name), data_type FROM information_schema.columns WHERE table_schema = current_schema() "
        "AND table_name = lower(%1) ORDER BY ordinal_position").arg(sqlText(table)));
    const SchemaTable *known = SchemaDefinition::shipped().table(table);
    while (query.next()) {
        ColumnInfo column;
        column.name = query.value(0).toString();
        const QString type = query.value(1).toString();
        if (type == QLatin1String("date"))
            column.type = QStringLiteral("DATE");
        else if (type == QLatin1String("integer") || type == QLatin1String("bigint") || type == QLatin1String("smallint"))
            column.type = QStringLiteral("INTEGER");
        else if (type == QLatin1String("double precision") || type == QLatin1String("real") || type == QLatin1String("numeric"))
            column.type = QStringLiteral("FLOAT");
        else
            column.type = QStringLiteral("TEXT");
        if (known && column.type == QLatin1String("TEXT")) {
            for (const SchemaColumn &c : known->columns) {
                if (c.name.compare(column.name, Qt::CaseInsensitive) == 0)
                    column.width = c.width;
            }
        }
        result << column;
    }
    return result;
}

void PostgresEngine::pack()
{
    run(QStringLiteral("VACUUM"));
}

QStringList PostgresEngine::verifyTable(const QString &table)
{
    // The server keeps its own files sound; reading every row shows that the table answers.
    try {
        run(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    } catch (const AppError &failure) {
        return {failure.message()};
    }
    return {};
}

void PostgresEngine::rebuild()
{
    for (const QString &table : tableNames())
        run(QStringLiteral("REINDEX TABLE %1").arg(table));
}
