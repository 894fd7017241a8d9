#include "databaseengine.h"

#include "apperror.h"
#include "engineerror.h"

#include <QSqlError>
#include <map>

namespace {

std::map<QString, std::unique_ptr<DatabaseEngine>> &engines()
{
    static std::map<QString, std::unique_ptr<DatabaseEngine>> all;
    return all;
}

} // namespace

DatabaseEngine::DatabaseEngine(QString databaseName) : m_databaseName(std::move(databaseName)) {}

DatabaseEngine::~DatabaseEngine()
{
    if (QSqlDatabase::contains(m_databaseName)) {
        QSqlDatabase::database(m_databaseName, false).close();
        QSqlDatabase::removeDatabase(m_databaseName);
    }
}

DatabaseEngine *DatabaseEngine::find(const QString &databaseName)
{
    auto it = engines().find(databaseName);
    return it == engines().end() ? nullptr : it->second.get();
}

DatabaseEngine &DatabaseEngine::byName(const QString &databaseName)
{
    if (DatabaseEngine *engine = find(databaseName))
        return *engine;
    throw DatabaseError(QStringLiteral("Unknown database: %1").arg(databaseName));
}

DatabaseEngine &DatabaseEngine::add(std::unique_ptr<DatabaseEngine> engine)
{
    const QString name = engine->databaseName();
    engines().erase(name);
    auto &slot = engines()[name];
    slot = std::move(engine);
    return *slot;
}

void DatabaseEngine::remove(const QString &databaseName)
{
    engines().erase(databaseName);
}

void DatabaseEngine::connect()
{
    if (!isConnected())
        openConnection();
}

void DatabaseEngine::disconnect()
{
    if (!QSqlDatabase::contains(m_databaseName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_databaseName, false);
        db.close();  // finalises every statement still held by live queries
    }
    QSqlDatabase::removeDatabase(m_databaseName);
}

bool DatabaseEngine::isConnected() const
{
    return QSqlDatabase::contains(m_databaseName) && QSqlDatabase::database(m_databaseName, false).isOpen();
}

QSqlDatabase DatabaseEngine::database()
{
    connect();
    return QSqlDatabase::database(m_databaseName, false);
}

QSqlQuery DatabaseEngine::run(const QString &sql)
{
    QSqlQuery query(database());
    query.setForwardOnly(false);
    if (!query.exec(sql))
        raise(query.lastError());
    return query;
}

QSqlQuery DatabaseEngine::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(database());
    query.setForwardOnly(false);
    if (!query.prepare(sql))
        raise(query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        raise(query.lastError());
    return query;
}

DatabaseEngine::Transaction::Transaction(DatabaseEngine &engine) : m_engine(engine)
{
    QSqlDatabase db = engine.database();
    if (!db.transaction())
        engine.raise(db.lastError());
    m_open = true;
}

DatabaseEngine::Transaction::~Transaction()
{
    if (m_open)
        m_engine.database().rollback();
}

void DatabaseEngine::Transaction::commit()
{
    QSqlDatabase db = m_engine.database();
    if (!db.commit())
        m_engine.raise(db.lastError());
    m_open = false;
}

DatabaseEngine::Savepoint::Savepoint(DatabaseEngine &engine) : m_engine(engine)
{
    static int counter = 0;
    m_name = QStringLiteral("sp_%1").arg(++counter);
    engine.run(QStringLiteral("SAVEPOINT ") + m_name);
    m_open = true;
}

DatabaseEngine::Savepoint::~Savepoint()
{
    if (!m_open)
        return;
    QSqlQuery query(m_engine.database());
    query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    query.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

void DatabaseEngine::Savepoint::release()
{
    m_engine.run(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
    m_open = false;
}
