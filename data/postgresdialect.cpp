#include "postgresdialect.h"

QString PostgresDialect::date(const QDate &value) const
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    return QStringLiteral("DATE '%1'").arg(value.toString(QStringLiteral("yyyy-MM-dd")));
}

QString PostgresDialect::extract(DatePart part, const QString &column) const
{
    const char *name = part == DatePart::Year ? "YEAR" : part == DatePart::Month ? "MONTH" : "DAY";
    return QStringLiteral("CAST(EXTRACT(%1 FROM %2) AS INTEGER)").arg(QLatin1String(name), column);
}

QString PostgresDialect::substring(const QString &column, int from, int count) const
{
    return QStringLiteral("SUBSTRING(%1 FROM %2 FOR %3)").arg(column).arg(from).arg(count);
}

// The server has LIKE for text only; numbers and dates are cast.
QString PostgresDialect::likeOperand(const QString &column) const
{
    return QStringLiteral("CAST(%1 AS TEXT)").arg(column);
}
