#pragma once

// Timing, reporting and the plain SQLite reference connection shared by the benchmarks.

#include "sqliteengine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

inline double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The median of `repeats` runs after one warm-up run.
inline double median(const std::function<void()> &work, int repeats)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i)
        times.push_back(milliseconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One figure line: "bench NAME VALUE UNIT ratio R vs REFERENCE=VALUEUNIT".
inline void report(const char *name, double value, const char *unit, const char *reference, double referenceValue)
{
    std::printf("bench %s %.3f %s ratio %.2f vs %s=%.3f%s\n", name, value, unit,
                referenceValue > 0 ? value / referenceValue : 0.0, reference, referenceValue, unit);
    std::fflush(stdout);
}

inline double rssMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// A separate plain SQLite connection to the same file, with the program's SQL functions:
// the reference the figures are compared with.
class RawConnection
{
public:
    explicit RawConnection(const QString &path, bool writable = false)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr);
        SqliteEngine::registerFunctions(m_db);
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~RawConnection() { sqlite3_close(m_db); }
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    // Steps up to `rows` rows reading every column as the program would show it; the
    // numeric values of the last row read (0 for other columns).
    QList<double> read(const QString &sql, int rows)
    {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr);
        QList<double> last;
        const int columns = sqlite3_column_count(statement);
        for (int row = 0; row < rows && sqlite3_step(statement) == SQLITE_ROW; ++row) {
            last.clear();
            for (int column = 0; column < columns; ++column) {
                double value = 0;
                switch (sqlite3_column_type(statement, column)) {
                case SQLITE_TEXT:
                    m_bytes += sqlite3_column_bytes(statement, column) + (sqlite3_column_text(statement, column) ? 0 : 1);
                    break;
                case SQLITE_FLOAT: value = sqlite3_column_double(statement, column); break;
                case SQLITE_INTEGER: value = double(sqlite3_column_int64(statement, column)); break;
                default: break;
                }
                last << value;
            }
        }
        sqlite3_finalize(statement);
        return last;
    }

    void exec(const char *sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    qint64 m_bytes = 0;
};
