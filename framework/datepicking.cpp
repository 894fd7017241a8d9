#include "datepicking.h"

#include "databaseengine.h"
#include "sqldialect.h"
#include "tdateform.h"

#include <QApplication>

namespace {

// Runs the calendar from `start` (a null date keeps the calendar's own); the chosen date,
// or a null date on cancel.
QDate runDateForm(const QDate &start)
{
    TDateForm form(QApplication::activeWindow());
    form.setSelectedDate(start);
    if (form.exec() != QDialog::Accepted)
        return {};
    return form.selectedDate();
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QDate PickDateStart(const QString &text, const QDate &defaultDate)
{
    QString rest = text;
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        rest = rest.left(qMax<qsizetype>(0, colon - 2));
    rest = rest.trimmed();
    if (rest.isEmpty())
        return defaultDate;
    return QDate::fromString(rest, QStringLiteral("yyyy-M-d"));
}

QString DateFieldText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString DayConditionText(const QString &column, TSqlType type, const QDate &date, const SqlDialect *dialect)
{
    const QString month = twoDigits(date.month());
    const QString day = twoDigits(date.day());
    switch (type) {
    case urStandard: {
        const QString monthPart = dialect ? dialect->extract(DatePart::Month, column)
                                          : QStringLiteral("EXTRACT(MONTH FROM ") + column + QStringLiteral(")");
        const QString dayPart = dialect ? dialect->extract(DatePart::Day, column)
                                        : QStringLiteral("EXTRACT(DAY FROM ") + column + QStringLiteral(")");
        return QStringLiteral(" (") + monthPart + QStringLiteral(" =") + month + QStringLiteral(" AND ") + dayPart
               + QStringLiteral(" = ") + day + QStringLiteral(") ");
    }
    case urSql_Server:
        return QStringLiteral(" (DATEPART(MM, ") + column + QStringLiteral(") =") + month
               + QStringLiteral(" AND DATEPART(DD, ") + column + QStringLiteral(") = ") + day + QStringLiteral(") ");
    case urAccess:
        break;
    }
    return {};
}

QString PickDate(const QString &text, const QDate &defaultDate)
{
    const QDate chosen = runDateForm(PickDateStart(text, defaultDate));
    return chosen.isValid() ? DateFieldText(chosen) : QString();
}

bool PickDayCondition(const QString &column, TSqlType type, QString *dateText, QString *condition)
{
    const QDate chosen = runDateForm(QDate());
    if (!chosen.isValid())
        return false;
    const SqlDialect *dialect = type == urStandard ? &DatabaseEngine::byName(MainDatabaseName).dialect() : nullptr;
    if (dateText)
        *dateText = DateFieldText(chosen);
    if (condition)
        *condition = DayConditionText(column, type, chosen, dialect);
    return true;
}
