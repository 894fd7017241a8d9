#include "testdatabase.h"

#include "databaseengine.h"
#include "engineconfig.h"
#include "installation.h"
#include "postgresengine.h"
#include "sqliteengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <QUrl>
#include <QtTest>

namespace {

const QString SecondName = QStringLiteral("SecondConnection");

QString serverBase()
{
    return qEnvironmentVariable("RUVELO_TEST_PG");
}

void runOnServer(const QString &sql)
{
    PostgresEngine admin(QStringLiteral("test-admin"), QUrl(serverBase()));
    admin.run(sql);
    admin.disconnect();
}

} // namespace

QStringList TestDatabase::backends()
{
    QStringList result{QStringLiteral("sqlite")};
    if (!serverBase().isEmpty())
        result << QStringLiteral("postgresql");
    return result;
}

void TestDatabase::addBackendRows()
{
    QTest::addColumn<QString>("backend");
    for (const QString &backend : backends())
        QTest::newRow(qPrintable(backend)) << backend;
}

QString TestDatabase::currentBackend()
{
    QFETCH_GLOBAL(QString, backend);
    return backend;
}

TestDatabase::TestDatabase(const QString &backend, const QString &serverOptions) : m_backend(backend)
{
    qputenv("RUVELO_SETTINGS", QDir(m_dir.path()).filePath(QStringLiteral("settings.ini")).toUtf8());
    if (isServer()) {
        if (serverBase().isEmpty())
            qFatal("RUVELO_TEST_PG is not set");
        m_serverDatabase = QStringLiteral("ruvelo_test_%1_%2").arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->generate());
        runOnServer(QStringLiteral("CREATE DATABASE %1 %2").arg(m_serverDatabase, serverOptions));
        QUrl url(serverBase());
        url.setPath(QLatin1Char('/') + m_serverDatabase);
        m_serverUrl = url.toString();
        Installation::createServerDatabase(m_serverUrl);
    } else {
        Installation::createDatabase(dataDir());
    }
    DatabaseEngine::add(CreateEngine(MainDatabaseName, aliasValue())).connect();
}

TestDatabase::~TestDatabase()
{
    DatabaseEngine::remove(SecondName);
    DatabaseEngine::remove(MainDatabaseName);
    if (isServer())
        runOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
}

QString TestDatabase::dataDir() const
{
    return isServer() ? m_serverUrl : QDir(m_dir.path()).filePath(QStringLiteral("data"));
}

QString TestDatabase::aliasValue() const
{
    return dataDir();
}

DatabaseEngine &TestDatabase::engine()
{
    return DatabaseEngine::byName(MainDatabaseName);
}

DatabaseEngine &TestDatabase::secondConnection()
{
    if (DatabaseEngine *engine = DatabaseEngine::find(SecondName))
        return *engine;
    return DatabaseEngine::add(CreateEngine(SecondName, aliasValue()));
}

void TestDatabase::addTrigger(const QString &name, const QString &timing, const QString &statement)
{
    if (!isServer()) {
        engine().run(QStringLiteral("CREATE TRIGGER %1 %2 BEGIN %3; END").arg(name, timing, statement));
        return;
    }
    // A BEFORE trigger lets the row through by returning it.
    engine().run(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN %2; "
                                "IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END$$")
                     .arg(name, statement));
    engine().run(QStringLiteral("CREATE TRIGGER %1 %2 FOR EACH ROW EXECUTE FUNCTION %1()").arg(name, timing));
}

void TestDatabase::addRefusal(const QString &name, const QString &timing, const QString &message)
{
    addTrigger(name, timing,
               isServer() ? QStringLiteral("RAISE EXCEPTION '%1'").arg(message)
                          : QStringLiteral("SELECT RAISE(ABORT,'%1')").arg(message));
}
