#pragma once

#include <QString>

class TQXQuery;

// How much fleet data to generate.
struct FleetCounts
{
    int vehicles = 200;
    int tasks = 1000000;
    int repairs = 200000;
    int money = 500000;
};

// Fills a fresh database with realistic fleet data: departments, categories, employees,
// vehicles, work tasks, repairs and money entries with Chinese texts, numbered the way the
// program numbers them (time-stamp keys, yearly task and repair numbers), spread over the
// years 2003 to 2006. Rows are written through the SQLite C API in one transaction with
// prepared statements.
class FleetGenerator
{
public:
    // The data directory for `counts` under `baseDir`; generated there unless a complete
    // database of the same counts is already present. Returns the data directory.
    static QString ensure(const QString &baseDir, const FleetCounts &counts);
    // Creates the database in `dataDir` (which must not hold one) and fills it.
    static void generate(const QString &dataDir, const FleetCounts &counts);

    // The work-task query as the work-task screen sets it up with task numbering on, on the
    // main database.
    static void configureWorkQuery(TQXQuery &query);
    // Adds and saves one work task marked NOTE = 'bench' through the query.
    static void addBenchTask(TQXQuery &query);
};
