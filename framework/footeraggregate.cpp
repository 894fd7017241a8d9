#include "footeraggregate.h"

namespace {

bool wordAt(const QString &text, qsizetype at, QLatin1String word)
{
    if (at + word.size() > text.size() || text.mid(at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    if (at > 0 && isWordChar(text[at - 1]))
        return false;
    const qsizetype end = at + word.size();
    return end == text.size() || !isWordChar(text[end]);
}

// Position of "ORDER" when "ORDER BY" starts at `at` (blanks of any length between).
bool orderByAt(const QString &text, qsizetype at)
{
    if (!wordAt(text, at, QLatin1String("ORDER")))
        return false;
    qsizetype next = at + 5;
    while (next < text.size() && text[next].isSpace())
        ++next;
    return next > at + 5 && wordAt(text, next, QLatin1String("BY"));
}

} // namespace

QString WithoutTrailingOrder(const QString &sql)
{
    QString statement = sql.trimmed();
    while (statement.endsWith(QLatin1Char(';')))
        statement.chop(1);
    qsizetype order = -1;
    bool limited = false;
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0) {
            if (orderByAt(statement, i)) {
                order = i;
                limited = false;
            } else if (order >= 0
                       && (wordAt(statement, i, QLatin1String("LIMIT")) || wordAt(statement, i, QLatin1String("OFFSET"))
                           || wordAt(statement, i, QLatin1String("FETCH")))) {
                limited = true;
            }
        }
    }
    if (order < 0 || limited)
        return statement;
    return statement.left(order).trimmed();
}

QString FooterAggregateSql(const QString &sql, const QStringList &sumFields)
{
    QStringList parts{QStringLiteral("COUNT(*)")};
    for (const QString &field : sumFields)
        parts << QStringLiteral("COALESCE(SUM(%1),0)").arg(field);
    return QStringLiteral("SELECT ") + parts.join(QLatin1Char(',')) + QStringLiteral(" FROM (") + WithoutTrailingOrder(sql)
        + QStringLiteral(") AS QX_FOOTER");
}
