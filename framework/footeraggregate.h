#pragma once

#include <QString>
#include <QStringList>

// The statement without its trailing ORDER BY at the outermost level (quoted text and
// parenthesised parts are skipped); unchanged when a LIMIT, OFFSET or FETCH follows it,
// since the order then decides which rows count.
QString WithoutTrailingOrder(const QString &sql);

// One statement for a grid's whole footer, over every row of `sql` (never the rows loaded
// so far): "SELECT COUNT(*),COALESCE(SUM(f1),0),... FROM (sql) AS QX_FOOTER". Ordering is
// dropped, as it changes neither counts nor sums.
QString FooterAggregateSql(const QString &sql, const QStringList &sumFields);
