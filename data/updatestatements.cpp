#include "updatestatements.h"

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

PositionalStatement toPositional(const QString &sql)
{
    PositionalStatement result;
    result.sql.reserve(sql.size());
    bool quoted = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char(':')) {
            if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char(':')) {
                result.sql += QLatin1String("::");
                ++i;
                continue;
            }
            if (i + 1 < sql.size() && isNameStart(sql.at(i + 1))) {
                qsizetype end = i + 1;
                while (end < sql.size() && isNameChar(sql.at(end)))
                    ++end;
                result.parameters << sql.mid(i + 1, end - i - 1);
                result.sql += QLatin1Char('?');
                i = end - 1;
                continue;
            }
        }
        result.sql += c;
    }
    return result;
}

qsizetype wherePosition(const QString &sql)
{
    bool quoted = false;
    for (qsizetype i = 0; i + 5 <= sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || (i > 0 && isNameChar(sql.at(i - 1))))
            continue;
        if (sql.mid(i, 5).compare(QLatin1String("WHERE"), Qt::CaseInsensitive) == 0
            && (i + 5 == sql.size() || !isNameChar(sql.at(i + 5))))
            return i;
    }
    return -1;
}
