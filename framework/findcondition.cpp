#include "findcondition.h"

#include "databaseengine.h"
#include "postgresdialect.h"
#include "sqldialect.h"
#include "tqxfield.h"

#include <QRegularExpression>

namespace {

bool needsLikeEscape(const QString &value)
{
    return value.contains(QLatin1Char('%')) || value.contains(QLatin1Char('_')) || value.contains(QLatin1Char('\\'));
}

// Access has no ESCAPE clause; wildcards are taken literally inside brackets.
QString accessLikeText(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return escaped;
}

bool isPostgres(const SqlDialect *dialect)
{
    return dynamic_cast<const PostgresDialect *>(dialect) != nullptr;
}

QString takeAfter(const QString &text, const QString &mark, int limit)
{
    const qsizetype at = text.indexOf(mark);
    if (at < 0)
        return text;
    return text.mid(at + mark.size(), limit);
}

} // namespace

const TFindConnectNamearray &FindConnectNames()
{
    static const TFindConnectNamearray names{
        {QStringLiteral("Like"), QStringLiteral("相似")},     {QStringLiteral("="), QStringLiteral("等于")},
        {QStringLiteral("<>"), QStringLiteral("不等于")},     {QStringLiteral("<="), QStringLiteral("小于等于")},
        {QStringLiteral(">="), QStringLiteral("大于等于")},
    };
    return names;
}

QString FindConnectDisplay(const QString &sql)
{
    for (const TFindConnectTypeName &name : FindConnectNames()) {
        if (name.Sql == sql.trimmed())
            return name.Display;
    }
    return {};
}

FindCondition::FindCondition(TSqlType type, const SqlDialect *dialect, bool simple)
    : m_type(type), m_dialect(dialect), m_simple(simple), m_caseFoldLike(type == urStandard && isPostgres(dialect))
{
}

QString FindCondition::column(const TFieldsData &entry)
{
    return entry.TableAlias.isEmpty() ? entry.FieldName : entry.TableAlias + QLatin1Char('.') + entry.FieldName;
}

QString FindCondition::keyColumn(const TFieldsData &entry)
{
    return entry.TableAlias.isEmpty() ? entry.KeyField : entry.TableAlias + QLatin1Char('.') + entry.KeyField;
}

bool FindCondition::isLike(const QString &op)
{
    return op.trimmed().compare(QLatin1String("Like"), Qt::CaseInsensitive) == 0;
}

QString FindCondition::relation(const QString &op) const
{
    if (m_caseFoldLike && isLike(op))
        return op.endsWith(QLatin1Char(' ')) ? QStringLiteral("ILIKE ") : QStringLiteral("ILIKE");
    return op;
}

QString FindCondition::likeColumn(const QString &column) const
{
    return m_type == urStandard && m_dialect ? m_dialect->likeOperand(column) : column;
}

QString FindCondition::likePattern(const QString &value, const QString &prefix, const QString &suffix) const
{
    if (m_type == urAccess)
        return sqlText(prefix + accessLikeText(value) + suffix);
    if (!needsLikeEscape(value))
        return sqlText(prefix + value + suffix);
    return sqlLikeText(value, prefix, suffix);
}

QString FindCondition::numberLiteral(const QString &value)
{
    static const QRegularExpression plainNumber(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString trimmed = value.trimmed();
    if (plainNumber.match(trimmed).hasMatch())
        return trimmed;
    double number = 0;
    if (!trimmed.isEmpty() && TQXField::parseNumber(trimmed, &number))
        return QString::number(number, 'g', 15);
    return sqlText(value);
}

QString FindCondition::compare(const QString &column, const TFieldsData &entry, const QString &op, const QString &value,
                               bool serverNullForm) const
{
    const QString rel = relation(op);
    if (isLike(op))
        return likeColumn(column) + QLatin1Char(' ') + rel + QLatin1Char(' ')
            + likePattern(value, QStringLiteral("%"), QStringLiteral("%"));
    if (m_simple || entry.DataKind == QLatin1String("C"))
        return column + QLatin1Char(' ') + rel + QLatin1Char(' ') + sqlText(value);
    if (serverNullForm && m_type == urSql_Server)
        return QStringLiteral("ISNULL(") + column + QStringLiteral(",0)") + QLatin1Char(' ') + rel + QLatin1Char(' ')
            + numberLiteral(value);
    return column + QLatin1Char(' ') + rel + QLatin1Char(' ') + numberLiteral(value);
}

QString FindCondition::dateCompare(const QString &column, const QString &op, const QDate &date) const
{
    const QString number = QString::number(date.year() * 10000 + date.month() * 100 + date.day());
    switch (m_type) {
    case urSql_Server:
        return column + QLatin1Char(' ') + op + QLatin1Char(' ') + sqlText(date.toString(QStringLiteral("yyyy-MM-dd")));
    case urAccess:
        return QStringLiteral("(10000 * YEAR(") + column + QStringLiteral(")") + QStringLiteral(" +100 * MONTH(") + column
            + QStringLiteral("))") + QStringLiteral(" + DAY(") + column + QStringLiteral(")") + QLatin1Char(' ') + op
            + QLatin1Char(' ') + number;
    case urStandard:
        break;
    }
    const QString literal = m_dialect ? m_dialect->date(date) : sqlText(date.toString(QStringLiteral("yyyy-MM-dd")));
    return column + QLatin1Char(' ') + op + QLatin1Char(' ') + literal;
}

QString FindCondition::build(const TFieldsData &entry, const QString &op, const QString &value,
                             const QString &popupResult) const
{
    const QString kind = entry.FindKind.trimmed();
    const QString col = column(entry);
    if (kind == QLatin1String("T") || kind == QLatin1String("B"))
        return compare(col, entry, op, value, !m_simple);
    if (kind == QLatin1String("LS"))
        return compare(col, entry, op, value, !m_simple) + QStringLiteral(") ");
    if (kind == QLatin1String("DT"))
        return compare(col, entry, op, value, false);
    if (kind == QLatin1String("D")) {
        if (entry.DataKind == QLatin1String("C"))
            return col + QLatin1Char(' ') + op + QLatin1Char(' ') + sqlText(value);
        return dateCompare(col, op, ParseFindDate(value));
    }
    if (kind == QLatin1String("DS")) {
        QString w;
        if (isLike(op))
            w = likePattern(value, QStringLiteral("%"), QStringLiteral("%"));
        else if (entry.DataKind == QLatin1String("C") || entry.DataKind == QLatin1String("D"))
            w = sqlText(value);
        else
            w = numberLiteral(value);
        const QString name = isLike(op) ? likeColumn(entry.LookupName) : entry.LookupName;
        return keyColumn(entry) + QStringLiteral(" IN (SELECT ") + entry.LookupKey + QStringLiteral(" FROM ")
            + entry.LookupTable + QStringLiteral(" WHERE ") + name + QLatin1Char(' ') + relation(op)
            + QLatin1Char(' ') + w + QStringLiteral(") ");
    }
    if (kind == QLatin1String("BS"))
        return popupResult;
    if (kind == QLatin1String("ES")) {
        const QString kcol = keyColumn(entry);
        if (isLike(op))
            return likeColumn(kcol) + QLatin1Char(' ') + relation(op) + QLatin1Char(' ')
                + likePattern(popupResult, QString(), QStringLiteral("%"));
        if (entry.DataKind == QLatin1String("C"))
            return kcol + QLatin1Char(' ') + op + QLatin1Char(' ') + sqlText(popupResult);
        return kcol + QLatin1Char(' ') + op + QLatin1Char(' ') + numberLiteral(popupResult);
    }
    return {};
}

QString CleanFindValue(const QString &text, bool simple)
{
    QString value = text.trimmed();
    for (int i = 0; i < 2; ++i)
        value = takeAfter(value, QStringLiteral("；"), 200);
    for (const QString &mark : simple ? QStringList{QStringLiteral("?"), QStringLiteral("？")} : QStringList{QStringLiteral("?")}) {
        const qsizetype at = value.indexOf(mark);
        if (at >= 0)
            value = value.left(at);
    }
    for (int i = 0; i < 3; ++i)
        value = takeAfter(value, QStringLiteral(";"), -1);
    return value;
}

QDate ParseFindDate(const QString &text)
{
    if (text.size() != 10)
        return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QString LikeContains(const QString &text)
{
    const DatabaseEngine *engine = DatabaseEngine::find(MainDatabaseName);
    const bool postgres = engine && isPostgres(&engine->dialect());
    const QString pattern = needsLikeEscape(text) ? sqlLikeText(text, QStringLiteral("%"), QStringLiteral("%"))
                                                  : sqlText(QLatin1Char('%') + text + QLatin1Char('%'));
    return (postgres ? QStringLiteral("ILIKE ") : QStringLiteral("LIKE ")) + pattern;
}
