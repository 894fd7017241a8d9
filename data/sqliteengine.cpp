#include "sqliteengine.h"

#include "engineerror.h"
#include "gbkwidth.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace {

const QString ConnectionDriver = QStringLiteral("QSQLITE");

void gbkWidthFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    sqlite3_result_int(context, gbkWidthUtf8(text, sqlite3_value_bytes(arguments[0])));
}

sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

EngineCondition conditionOf(int code, const QString &text)
{
    switch (code) {
    case SQLITE_CONSTRAINT_FOREIGNKEY: return EngineCondition::ReferencedRow;
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE: return EngineCondition::DuplicateKey;
    case SQLITE_CONSTRAINT_CHECK:
    case SQLITE_TOOBIG: return EngineCondition::TooLarge;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_PERM: return EngineCondition::OpenFailed;
    default: break;
    }
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return EngineCondition::TablesOpen;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB: return EngineCondition::OpenFailed;
    case SQLITE_CONSTRAINT:
        // Primary code only: tell the kinds apart by the engine's message.
        if (text.contains(QLatin1String("FOREIGN KEY")))
            return EngineCondition::ReferencedRow;
        if (text.contains(QLatin1String("UNIQUE")))
            return EngineCondition::DuplicateKey;
        if (text.contains(QLatin1String("CHECK")))
            return EngineCondition::TooLarge;
        break;
    default: break;
    }
    return EngineCondition::Other;
}

} // namespace

SqliteEngine::SqliteEngine(const QString &databaseName, const QString &dataDir)
    : DatabaseEngine(databaseName), m_dataDir(QDir::cleanPath(dataDir))
{
}

QString SqliteEngine::fileName()
{
    return QStringLiteral("RuveloDataBase.sqlite");
}

QString SqliteEngine::filePath(const QString &dataDir)
{
    return QDir(dataDir).filePath(fileName());
}

void SqliteEngine::createFile(const QString &dataDir)
{
    if (QFileInfo::exists(filePath(dataDir)))
        throw EngineError(EngineCondition::Other, QStringLiteral("The database file already exists: %1").arg(filePath(dataDir)));
    if (!QDir().mkpath(dataDir))
        throw EngineError(EngineCondition::OpenFailed, QStringLiteral("Cannot create the directory %1").arg(dataDir));
    SqliteEngine engine(QStringLiteral("create:") + dataDir, dataDir);
    engine.openFile(true);
    engine.disconnect();
}

void SqliteEngine::registerFunctions(void *handle)
{
    sqlite3_create_function_v2(static_cast<sqlite3 *>(handle), "gbk_width", 1,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, gbkWidthFunction,
                               nullptr, nullptr, nullptr);
}

void SqliteEngine::openConnection()
{
    openFile(false);
}

void SqliteEngine::openFile(bool create)
{
    const QString path = filePath(m_dataDir);
    if (!create && !QFileInfo(path).isFile())
        throw EngineError(EngineCondition::OpenFailed, QStringLiteral("unable to open database file: %1").arg(path), SQLITE_CANTOPEN);

    QSqlDatabase db = QSqlDatabase::contains(databaseName())
        ? QSqlDatabase::database(databaseName(), false)
        : QSqlDatabase::addDatabase(ConnectionDriver, databaseName());
    // A URI with mode=rw never creates a missing file behind the user's back.
    QString uri = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
    uri += create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        disconnect();
        throw EngineError(EngineCondition::OpenFailed, error.text(), error.nativeErrorCode().toInt());
    }

    sqlite3 *handle = handleOf(db);
    if (handle) {
        sqlite3_extended_result_codes(handle, 1);
        registerFunctions(handle);
    }

    // The first read finds a file that is not a database.
    QSqlQuery probe(db);
    const bool ok = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))
        && probe.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    if (!ok) {
        const QSqlError error = probe.lastError();
        probe = QSqlQuery();
        db = QSqlDatabase();
        disconnect();
        throw EngineError(EngineCondition::OpenFailed, error.text(), error.nativeErrorCode().toInt());
    }
    // WAL lets readers and one writer work side by side; a read-only file keeps its mode.
    probe.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
}

void SqliteEngine::raise(const QSqlError &error) const
{
    int code = error.nativeErrorCode().toInt();
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (code == 0 && QSqlDatabase::contains(databaseName())) {
        if (sqlite3 *handle = handleOf(QSqlDatabase::database(databaseName(), false)))
            code = sqlite3_extended_errcode(handle);
    }
    const EngineCondition condition = conditionOf(code, text);
    // Dates are checked by constraints named date_<column>: report them as a bad date.
    if (condition == EngineCondition::TooLarge && text.contains(QLatin1String("date_")))
        throw ConvertError(QStringLiteral("%1: value is not a valid date").arg(text));
    throw EngineError(condition, text, code);
}

QStringList SqliteEngine::tableNames()
{
    QSqlQuery query = run(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QList<ColumnInfo> SqliteEngine::columns(const QString &table)
{
    static const QRegularExpression widthPattern(QStringLiteral("\\((\\d+)\\)"));
    QSqlQuery query = run(QStringLiteral("PRAGMA table_info(%1)").arg(sqlText(table)));
    QList<ColumnInfo> result;
    while (query.next()) {
        ColumnInfo column;
        column.name = query.value(1).toString();
        const QString declared = query.value(2).toString().toUpper();
        if (declared.startsWith(QLatin1String("DATE")))
            column.type = QStringLiteral("DATE");
        else if (declared.contains(QLatin1String("INT")))
            column.type = QStringLiteral("INTEGER");
        else if (declared.contains(QLatin1String("FLOA")) || declared.contains(QLatin1String("DOUB")) || declared.contains(QLatin1String("REAL")))
            column.type = QStringLiteral("FLOAT");
        else
            column.type = QStringLiteral("TEXT");
        const auto match = widthPattern.match(declared);
        if (column.type == QLatin1String("TEXT") && match.hasMatch())
            column.width = match.captured(1).toInt();
        result << column;
    }
    return result;
}

void SqliteEngine::pack()
{
    run(QStringLiteral("VACUUM"));
}

QStringList SqliteEngine::verifyTable(const QString &table)
{
    QSqlQuery query = run(QStringLiteral("PRAGMA integrity_check(%1)").arg(sqlText(table)));
    QStringList problems;
    while (query.next()) {
        const QString line = query.value(0).toString();
        if (line != QLatin1String("ok"))
            problems << line;
    }
    return problems;
}

void SqliteEngine::rebuild()
{
    const QString path = filePath(m_dataDir);
    const QString fresh = path + QStringLiteral(".rebuild");
    const QString old = path + QStringLiteral(".old");
    QFile::remove(fresh);
    QFile::remove(old);
    run(QStringLiteral("REINDEX"));
    run(QStringLiteral("VACUUM INTO %1").arg(sqlText(fresh)));
    disconnect();
    // The old file stays aside until the fresh one is in place.
    const bool swapped = QFile::rename(path, old) && QFile::rename(fresh, path);
    if (!swapped) {
        if (!QFileInfo::exists(path))
            QFile::rename(old, path);
        QFile::remove(fresh);
        connect();
        throw EngineError(EngineCondition::Other, QStringLiteral("Cannot replace %1 by its rebuilt copy").arg(path));
    }
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    QFile::remove(old);
    connect();
}
