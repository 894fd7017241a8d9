#pragma once

#include <QDate>
#include <QString>

enum class DatePart { Year, Month, Day };

// Writes the pieces of the local SQL dialect that differ between engines. Every statement
// that needs a date literal, a date part or a substring asks the connected engine's dialect
// for it, so the same caller runs on every backend.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    // A date literal, quotes included ('2024-05-06' on SQLite). A null date gives NULL.
    virtual QString date(const QDate &value) const = 0;
    // EXTRACT(part FROM column) as an integer expression.
    virtual QString extract(DatePart part, const QString &column) const = 0;
    // SubString(column FROM from FOR count), 1-based.
    virtual QString substring(const QString &column, int from, int count) const = 0;
    // The column as the left side of LIKE: the pattern matches its text, whatever the
    // column's type (a wage or a date is searched for part of its digits).
    virtual QString likeOperand(const QString &column) const = 0;
};

// The one escaping helper: a text value as a quoted SQL literal ('O''Brien').
// Backslashes, percent signs and Chinese text pass unchanged.
QString sqlText(const QString &value);

// A LIKE pattern matching `value` literally, with `prefix`/`suffix` wildcards added by the
// caller, e.g. sqlLikeText("50%", "", "%") gives '50\%%' ESCAPE '\'.
QString sqlLikeText(const QString &value, const QString &prefix, const QString &suffix);
