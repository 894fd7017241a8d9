#include "datadeletion.h"

#include "databasebackup.h"
#include "databaseengine.h"
#include "sqldialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

struct YearTable
{
    const char *table;
    const char *dateColumn;
    const char *key;    // the key money entries are booked against, or null
};

const YearTable yearTables[] = {
    {"QX_CAR_WORK_TABLE", "WORK_START_DATE", "CAR_WORK_ID"},
    {"QX_CAR_REPAIR_TABLE", "CAR_REPAIR_DATE", "CAR_REPAIR_ID"},
    {"QX_INTO_OUT_MONEY_TABLE", "MONEY_DATE", nullptr},
    {"QX_CAR_AWAKE_TABLE", "AWAKE_DATE", nullptr},
};

const YearTable &tableOf(DataDeletion::YearOption option)
{
    return yearTables[int(option) - 1];
}

// Money entries booked against a task or repair that exists.
const QString BookedEntry = QStringLiteral(
    "(EXISTS (SELECT 1 FROM QX_CAR_WORK_TABLE W WHERE W.CAR_WORK_ID = QX_INTO_OUT_MONEY_TABLE.CAR_WORK_ID)"
    " OR EXISTS (SELECT 1 FROM QX_CAR_REPAIR_TABLE R WHERE R.CAR_REPAIR_ID = QX_INTO_OUT_MONEY_TABLE.CAR_WORK_ID))");

const char *const allDataStatements[] = {
    "DELETE FROM QX_CAR_AWAKE_TABLE",
    "DELETE FROM QX_CAR_TABLE",
    "DELETE FROM QX_EMPLOYEE_TABLE",
    "DELETE FROM QX_CAR_WORK_TABLE",
    "DELETE FROM QX_CAR_REPAIR_TABLE",
    "DELETE FROM QX_INTO_OUT_MONEY_TABLE",
    "DELETE FROM QX_CAR_PICTURE_TABLE",
    "DELETE FROM QX_CAR_FILE_TABLE",
};

} // namespace

DataDeletion::DataDeletion(DatabaseEngine &engine) : m_engine(engine) {}

QString DataDeletion::yearStatement(YearOption option) const
{
    const YearTable &t = tableOf(option);
    return QStringLiteral("DELETE FROM %1 WHERE   %2 <=")
        .arg(QLatin1String(t.table), m_engine.dialect().extract(DatePart::Year, QLatin1String(t.dateColumn)));
}

QString DataDeletion::yearCondition(YearOption option, int year) const
{
    const YearTable &t = tableOf(option);
    return m_engine.dialect().extract(DatePart::Year, QLatin1String(t.dateColumn)) + QStringLiteral(" <=")
           + QString::number(year);
}

// The money entries that go with the option's records; empty when there are none.
QString DataDeletion::dependentCondition(YearOption option, int year) const
{
    const YearTable &t = tableOf(option);
    if (!t.key)
        return {};
    return QStringLiteral("CAR_WORK_ID IN (SELECT %1 FROM %2 WHERE %3)")
        .arg(QLatin1String(t.key), QLatin1String(t.table), yearCondition(option, year));
}

int DataDeletion::count(const QString &sql)
{
    QSqlQuery query = m_engine.run(sql);
    return query.next() ? query.value(0).toInt() : 0;
}

DataDeletion::Count DataDeletion::countYear(YearOption option, int year)
{
    const YearTable &t = tableOf(option);
    Count result;
    result.records = count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(QLatin1String(t.table), yearCondition(option, year)));
    const QString dependent = dependentCondition(option, year);
    if (!dependent.isEmpty())
        result.dependent = count(QStringLiteral("SELECT COUNT(*) FROM QX_INTO_OUT_MONEY_TABLE WHERE ") + dependent);
    if (option == MoneyEntries) {
        result.kept = count(QStringLiteral("SELECT COUNT(*) FROM QX_INTO_OUT_MONEY_TABLE WHERE %1 AND %2")
                                .arg(yearCondition(option, year), BookedEntry));
        result.records -= result.kept;
    }
    return result;
}

void DataDeletion::deleteYear(YearOption option, int year)
{
    DatabaseEngine::Transaction transaction(m_engine);
    const QString dependent = dependentCondition(option, year);
    if (!dependent.isEmpty())
        m_engine.run(QStringLiteral("DELETE FROM QX_INTO_OUT_MONEY_TABLE WHERE ") + dependent);
    QString statement = yearStatement(option) + QString::number(year);
    if (option == MoneyEntries)
        statement += QStringLiteral(" AND NOT ") + BookedEntry;
    m_engine.run(statement);
    transaction.commit();
}

void DataDeletion::deleteAll(const QString &dataDir)
{
    QStringList storedFiles;
    DatabaseEngine::Transaction transaction(m_engine);
    for (const char *sql : {"SELECT CAR_PICTURE_ID FROM QX_CAR_PICTURE_TABLE", "SELECT FILE_RECORD_ID FROM QX_CAR_FILE_TABLE"}) {
        QSqlQuery keys = m_engine.run(QLatin1String(sql));
        while (keys.next()) {
            // A stored copy is named by its key alone; anything else is not one of them.
            const QString key = keys.value(0).toString();
            if (!key.isEmpty() && QFileInfo(key).fileName() == key && key != QLatin1String("..")
                && !key.contains(QLatin1Char('\\')) && !DatabaseBackup::isDatabaseFile(key))
                storedFiles << key;
        }
    }
    for (const char *sql : allDataStatements)
        m_engine.run(QLatin1String(sql));
    transaction.commit();
    // The stored copies go once their rows are gone for good.
    if (dataDir.isEmpty())
        return;
    for (const QString &key : storedFiles)
        QFile::remove(QDir(dataDir).filePath(key));
}
