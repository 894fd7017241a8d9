// The editable query over a big fleet database, each figure beside the same SQL run
// directly through the SQLite C API:
//   open_first_page   open SELECT * FROM QX_CAR_WORK_TABLE (its first page of rows is read)
//   open_first_rows   the same, and the text of the first 30 rows as a view shows it
//   open_rss          process memory after that open
//   scroll_100k_rows  read on until 100 000 rows are loaded (and the memory then)
//   record_count, footer_sums   exact aggregates over the whole result
//   add_save_task     add and save one work task with a "Y" task number
// Usage: bench_tqxquery [--vehicles N] [--tasks N] [--repairs N] [--money N] [--dir DIR]
// The database is generated into DIR (default /tmp) and reused when present.

#include "databaseengine.h"
#include "dbhelpers.h"
#include "fleetgenerator.h"
#include "gbkwidth.h"
#include "recordnumbering.h"
#include "sqliteengine.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int VisibleRows = 30;
constexpr int Repeats = 15;

// What saving a new task asks of the database: the next number, the two uniqueness
// look-ups, the INSERT and the row read back, in one transaction.
void addRawTask(RawConnection &raw, int sequence)
{
    raw.exec("BEGIN");
    const QString key = RecordNumbering::timeStampKey(QStringLiteral("C"), QDateTime::currentDateTime());
    raw.read("SELECT WORK_ID FROM QX_CAR_WORK_TABLE WHERE WORK_ID BETWEEN '2006000000' AND '2006999999' ORDER BY WORK_ID DESC", 1);
    const QByteArray number = QStringLiteral("2006%1").arg(900000 + sequence, 6, 10, QLatin1Char('0')).toUtf8();
    const QByteArray keyText = key.toUtf8();
    raw.read(("SELECT CAR_WORK_ID FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID='" + keyText + "'").constData(), 1);
    raw.read(("SELECT WORK_ID FROM QX_CAR_WORK_TABLE WHERE WORK_ID='" + number + "'").constData(), 1);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(raw.handle(),
                       "INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,CAR_RECORD_ID,WORK_ID,STATUS,WORK_START_DATE,WORK_PLACE,"
                       "WORK_CONTENT,WORK_MONEY,NOTE,CREATE_NAME,CREATE_DATE) VALUES(?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &insert, nullptr);
    const QByteArray values[] = {keyText, "A020301100000000", number, "未完工", "2006-08-31", "港口码头", "钢材吊装"};
    for (int i = 0; i < 7; ++i)
        sqlite3_bind_text(insert, i + 1, values[i].constData(), int(values[i].size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 8, 1200.0);
    sqlite3_bind_text(insert, 9, "bench", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 10, "张三", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 11, "2006-08-31", -1, SQLITE_STATIC);
    sqlite3_step(insert);
    sqlite3_finalize(insert);
    raw.read(("SELECT * FROM QX_CAR_WORK_TABLE  WHERE CAR_WORK_ID='" + keyText + "'").constData(), 1);
    raw.exec("COMMIT");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FleetCounts counts;
    QString baseDir = QStringLiteral("/tmp");
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        const QString &option = arguments[i];
        const int value = arguments[i + 1].toInt();
        if (option == QLatin1String("--vehicles"))
            counts.vehicles = value;
        else if (option == QLatin1String("--tasks"))
            counts.tasks = value;
        else if (option == QLatin1String("--repairs"))
            counts.repairs = value;
        else if (option == QLatin1String("--money"))
            counts.money = value;
        else if (option == QLatin1String("--dir"))
            baseDir = arguments[i + 1];
    }

    QElapsedTimer generation;
    generation.start();
    const QString dataDir = FleetGenerator::ensure(baseDir, counts);
    std::printf("# database %s (%d vehicles, %d tasks, %d repairs, %d money entries) ready in %.1f s\n",
                qPrintable(dataDir), counts.vehicles, counts.tasks, counts.repairs, counts.money,
                double(generation.elapsed()) / 1000.0);

    DatabaseEngine::add(std::make_unique<SqliteEngine>(MainDatabaseName, dataDir)).connect();
    RawConnection raw(SqliteEngine::filePath(dataDir), true);
    const char *openSql = "SELECT  *  FROM  QX_CAR_WORK_TABLE";

    // ---- First visible rows ---------------------------------------------------------------------
    const double rawCold = milliseconds([&] { raw.read(openSql, TQXDataset::FirstPageSize); });
    const double rawOpen = median([&] { raw.read(openSql, TQXDataset::FirstPageSize); }, Repeats);
    const double rawRss = rssMegabytes();

    qint64 shown = 0;
    const auto openAndShow = [&](TQXQuery &query, TQXQueryModel &model) {
        query.OpenQuery();
        for (int row = 0; row < VisibleRows && row < model.rowCount(); ++row) {
            for (int column = 0; column < model.columnCount(); ++column)
                shown += model.data(model.index(row, column)).toString().size();
        }
    };
    const double ourCold = milliseconds([&] {
        TQXQuery query;
        query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
        TQXQueryModel model(&query);
        openAndShow(query, model);
    });
    const double ourOpen = median([&] {
        TQXQuery query;
        query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
        TQXQueryModel model(&query);
        openAndShow(query, model);
    }, Repeats);
    const double ourPage = median([&] {
        TQXQuery query;
        query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
        query.OpenQuery();
    }, Repeats);
    report("open_first_rows_cold", ourCold, "ms", "sqlite3_step_first_page_cold", rawCold);
    report("open_first_page", ourPage, "ms", "sqlite3_step_first_page", rawOpen);
    report("open_first_rows", ourOpen, "ms", "sqlite3_step_first_page", rawOpen);

    // ---- Memory -----------------------------------------------------------------------------------
    TQXQuery query;
    query.setTableName(QStringLiteral("QX_CAR_WORK_TABLE"));
    TQXQueryModel model(&query);
    openAndShow(query, model);
    report("open_rss", rssMegabytes(), "MB", "rss_after_raw_reads", rawRss);

    const double rawScroll = milliseconds([&] { raw.read(openSql, 100000); });
    const double ourScroll = milliseconds([&] {
        while (query.loadedRowCount() < 100000 && model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
    });
    report("scroll_100k_rows", ourScroll, "ms", "sqlite3_step_100k_rows", rawScroll);
    report("rss_100k_rows_loaded", rssMegabytes(), "MB", "rss_after_raw_reads", rawRss);

    // ---- Exact aggregates ---------------------------------------------------------------------------
    int count = 0;
    const double ourCount = median([&] { count = query.recordCount(); }, 5);
    const double rawCount = median([&] { raw.read("SELECT COUNT(*) FROM (SELECT  *  FROM  QX_CAR_WORK_TABLE) AS QX_RESULT", 1); }, 5);
    report("record_count", ourCount, "ms", "sqlite3_count", rawCount);
    QList<double> sums;
    const QStringList sumFields{QStringLiteral("WORK_MONEY"), QStringLiteral("WORK_PAY_MONEY"), QStringLiteral("WORK_OWE_MONEY")};
    const double ourSums = median([&] { sums = query.sums(sumFields); }, 5);
    const double rawSums = median([&] {
        raw.read("SELECT COALESCE(SUM(WORK_MONEY),0),COALESCE(SUM(WORK_PAY_MONEY),0),COALESCE(SUM(WORK_OWE_MONEY),0) "
                 "FROM (SELECT  *  FROM  QX_CAR_WORK_TABLE) AS QX_RESULT", 1);
    }, 5);
    report("footer_sums", ourSums, "ms", "sqlite3_sums", rawSums);
    std::printf("# %d rows, money %.2f received %.2f owed %.2f; %lld characters shown\n", count, sums.value(0), sums.value(1),
                sums.value(2), shown);
    query.CloseQuery();

    // ---- Add and save one work task ----------------------------------------------------------------
    TQXQuery work;
    FleetGenerator::configureWorkQuery(work);
    work.OpenQuery();
    const auto addTask = [&] { FleetGenerator::addBenchTask(work); };
    int sequence = 0;
    const double rawAdd = median([&] { addRawTask(raw, ++sequence); }, Repeats);
    const double ourAdd = median(addTask, Repeats);
    report("add_save_task", ourAdd, "ms", "sqlite3_add_task", rawAdd);
    std::printf("# last task number %s\n", qPrintable(work.fieldByName(QStringLiteral("WORK_ID")).asText()));
    work.CloseQuery();
    ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM QX_CAR_WORK_TABLE WHERE NOTE = 'bench'"));
    DatabaseEngine::remove(MainDatabaseName);
    return 0;
}
