#pragma once

#include "sqldialect.h"

// The local dialect on PostgreSQL: typed date literals, EXTRACT and SUBSTRING as standard.
class PostgresDialect final : public SqlDialect
{
public:
    QString date(const QDate &value) const override;
    QString extract(DatePart part, const QString &column) const override;
    QString substring(const QString &column, int from, int count) const override;
    QString likeOperand(const QString &column) const override;
};
