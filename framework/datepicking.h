#pragma once

#include "tsqltype.h"

#include <QDate>
#include <QString>

class QWidget;
class SqlDialect;

// The date a date field's calendar starts on. A time part is cut off first (the text before
// the position of ":" minus 2, trimmed); a remaining valid date "yyyy-M-d" is used, an empty
// remainder gives `defaultDate`, and an invalid one gives a null date (the calendar keeps
// its own date, today).
QDate PickDateStart(const QString &text, const QDate &defaultDate);

// A date as the date fields hold it, "yyyy-MM-dd".
QString DateFieldText(const QDate &date);

// The condition selecting rows of `column` that fall on the month and day of `date` in any
// year, in the given dialect; urStandard asks `dialect` for the date parts (nullptr writes
// plain EXTRACT), urAccess has no condition.
QString DayConditionText(const QString &column, TSqlType type, const QDate &date, const SqlDialect *dialect);

// Shows the calendar starting from `text` (see PickDateStart); the chosen date as
// "yyyy-MM-dd", or empty when the dialog is closed without OK.
QString PickDate(const QString &text, const QDate &defaultDate);

// Shows the calendar; on OK sets the chosen date's text and its month-and-day condition on
// `column` and returns true. Cancel returns false and leaves both untouched.
bool PickDayCondition(const QString &column, TSqlType type, QString *dateText, QString *condition);
