#pragma once

#include <QString>
#include <QStringList>

class DatabaseEngine;

// The deletions of the data deletion screen, each in one transaction.
//
// A work task or repair goes together with the money entries booked against it
// (QX_INTO_OUT_MONEY_TABLE rows whose CAR_WORK_ID is its key), so no entry is left pointing
// at a record that no longer exists. The year deletion of money entries leaves the entries
// booked against a task or repair that still exists, so that its paid and owed amounts
// keep matching its entries; they go with their task or repair.
class DataDeletion final
{
public:
    // The year options, in the order the screen offers them.
    enum YearOption { WorkTasks = 1, Repairs, MoneyEntries, Reminders };

    // What a year deletion would remove.
    struct Count
    {
        int records = 0;     // rows of the option's table
        int dependent = 0;   // money entries that go with the tasks or repairs
        int kept = 0;        // money entries of the years kept for their task or repair
    };

    explicit DataDeletion(DatabaseEngine &engine);

    // "DELETE FROM <table> WHERE   EXTRACT(YEAR FROM <date column>) <=" in the engine's dialect.
    QString yearStatement(YearOption option) const;

    Count countYear(YearOption option, int year);
    // Deletes the option's records up to and including `year`. Raises on failure.
    void deleteYear(YearOption option, int year);
    // Deletes every reminder, vehicle, employee, work task, repair and money entry, and the
    // vehicles' pictures and documents with their stored files in `dataDir`. Raises on failure.
    void deleteAll(const QString &dataDir);

private:
    QString yearCondition(YearOption option, int year) const;
    QString dependentCondition(YearOption option, int year) const;
    int count(const QString &sql);

    DatabaseEngine &m_engine;
};
