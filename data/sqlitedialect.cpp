#include "sqlitedialect.h"

QString SqliteDialect::date(const QDate &value) const
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    return QLatin1Char('\'') + value.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

QString SqliteDialect::extract(DatePart part, const QString &column) const
{
    const char *format = part == DatePart::Year ? "%Y" : part == DatePart::Month ? "%m" : "%d";
    return QStringLiteral("CAST(strftime('%1',%2) AS INTEGER)").arg(QLatin1String(format), column);
}

QString SqliteDialect::substring(const QString &column, int from, int count) const
{
    return QStringLiteral("substr(%1,%2,%3)").arg(column).arg(from).arg(count);
}

// SQLite compares any value through its text form itself.
QString SqliteDialect::likeOperand(const QString &column) const
{
    return column;
}
