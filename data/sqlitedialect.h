#pragma once

#include "sqldialect.h"

// The local dialect on SQLite: dates are ISO text, date parts come from strftime.
class SqliteDialect final : public SqlDialect
{
public:
    QString date(const QDate &value) const override;
    QString extract(DatePart part, const QString &column) const override;
    QString substring(const QString &column, int from, int count) const override;
    QString likeOperand(const QString &column) const override;
};
