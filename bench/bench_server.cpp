// The editable query on a PostgreSQL server beside the same work on the SQLite file, over
// the same fleet data (the generated SQLite database, copied to the server through the
// portable table files when the server's copy is missing or incomplete):
//   open_first_page   open SELECT * FROM QX_CAR_WORK_TABLE (its first page of rows is read)
//   record_count, footer_sums   exact aggregates over the whole result
//   add_save_task     add and save one work task with a "Y" task number
// Usage: RUVELO_BENCH_PG=postgresql://user@host:port/postgres bench_server [--tasks N]
// Without RUVELO_BENCH_PG it says so and does nothing.

#include "databaseengine.h"
#include "dbhelpers.h"
#include "engineconfig.h"
#include "fleetgenerator.h"
#include "installation.h"
#include "postgresengine.h"
#include "sqliteengine.h"
#include "tabledump.h"
#include "tqxquery.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figures
{
    double openFirstPage = 0;
    double recordCount = 0;
    double footerSums = 0;
    double addSaveTask = 0;
    int rows = 0;
};

// Measures on whatever engine is registered as the main database.
Figures measure()
{
    Figures f;
    f.openFirstPage = median([] {
        TQXQuery query;
        query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
        query.OpenQuery();
    }, 9);
    TQXQuery query;
    query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
    query.OpenQuery();
    f.recordCount = median([&] { f.rows = query.recordCount(); }, 5);
    const QStringList sumFields{QStringLiteral("WORK_MONEY"), QStringLiteral("WORK_PAY_MONEY"), QStringLiteral("WORK_OWE_MONEY")};
    f.footerSums = median([&] { query.sums(sumFields); }, 5);
    query.CloseQuery();

    TQXQuery work;
    FleetGenerator::configureWorkQuery(work);
    work.OpenQuery();
    f.addSaveTask = median([&] { FleetGenerator::addBenchTask(work); }, 15);
    work.CloseQuery();
    ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM QX_CAR_WORK_TABLE WHERE NOTE = 'bench'"));
    return f;
}

void report(const char *name, double server, double file)
{
    std::printf("bench server_%s %.3f ms ratio %.2f vs sqlite_%s=%.3fms\n", name, server, file > 0 ? server / file : 0.0, name, file);
    std::fflush(stdout);
}

// The server database named `name` holding the same rows as `dataDir`, made when needed.
QString ensureServerCopy(const QString &base, const QString &name, const QString &dataDir, int tasks)
{
    QUrl url(base);
    url.setPath(QLatin1Char('/') + name);
    {
        PostgresEngine admin(QStringLiteral("bench-admin"), QUrl(base));
        QSqlQuery exists = admin.run(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = %1").arg(sqlText(name)));
        if (!exists.next())
            admin.run(QStringLiteral("CREATE DATABASE %1").arg(name));
        exists = QSqlQuery();
        admin.disconnect();
    }
    PostgresEngine server(QStringLiteral("bench-server"), url);
    const bool hasTables = !server.tableNames().isEmpty();
    bool complete = false;
    if (hasTables) {
        QSqlQuery count = server.run(QStringLiteral("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"));
        complete = count.next() && count.value(0).toInt() == tasks;
    }
    server.disconnect();
    if (!complete) {
        QElapsedTimer timer;
        timer.start();
        if (!hasTables)
            Installation::createServerDatabase(url.toString());
        SqliteEngine file(QStringLiteral("bench-file"), dataDir);
        const QString dump = QDir(dataDir).filePath(QStringLiteral("../server-dump"));
        TableDump::exportTables(file, dump);
        file.disconnect();
        PostgresEngine target(QStringLiteral("bench-target"), url);
        TableDump::importTables(target, dump);
        target.run(QStringLiteral("VACUUM ANALYZE"));
        target.disconnect();
        QDir(dump).removeRecursively();
        std::printf("# copied the fleet data to the server in %.1f s\n", double(timer.elapsed()) / 1000.0);
    }
    return url.toString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = qEnvironmentVariable("RUVELO_BENCH_PG");
    if (base.isEmpty()) {
        std::printf("# bench_server: RUVELO_BENCH_PG is not set, nothing measured\n");
        return 0;
    }
    FleetCounts counts;
    const QStringList arguments = app.arguments();
    const int tasksAt = int(arguments.indexOf(QStringLiteral("--tasks")));
    if (tasksAt > 0 && tasksAt + 1 < arguments.size())
        counts.tasks = arguments.at(tasksAt + 1).toInt();
    const QString dataDir = FleetGenerator::ensure(QStringLiteral("/tmp"), counts);
    const QString serverUrl = ensureServerCopy(base, QStringLiteral("ruvelo_bench_%1").arg(counts.tasks), dataDir, counts.tasks);

    DatabaseEngine::add(CreateEngine(MainDatabaseName, dataDir)).connect();
    const Figures file = measure();
    DatabaseEngine::add(CreateEngine(MainDatabaseName, serverUrl)).connect();
    const Figures server = measure();
    DatabaseEngine::remove(MainDatabaseName);

    std::printf("# %d rows on the file, %d on the server\n", file.rows, server.rows);
    report("open_first_page", server.openFirstPage, file.openFirstPage);
    report("record_count", server.recordCount, file.recordCount);
    report("footer_sums", server.footerSums, file.footerSums);
    report("add_save_task", server.addSaveTask, file.addSaveTask);
    return 0;
}
