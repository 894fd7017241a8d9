#include "recordnumbering.h"

#include "apperror.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "texthelpers.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlError>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>

namespace {

const QString Zeros = QStringLiteral("000000000");

QString kindOf(const TInsertData &entry) { return entry.Kind.trimmed().toUpper(); }

// The substring of the text dialects (urStandard statements are written differently).
QString substringText(TSqlType sqlType, const QString &column, int from, int count)
{
    const QString function = sqlType == urAccess ? QStringLiteral("MID") : QStringLiteral("SubString");
    return QStringLiteral("%1(%2,%3,%4)").arg(function, column).arg(from).arg(count);
}

QString appendWhere(QString sql, const QString &where)
{
    if (where.isEmpty())
        return sql;
    return sql + (sql.contains(QLatin1String("WHERE")) ? QLatin1String(" AND ") : QLatin1String(" WHERE ")) + where;
}

bool isDigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Process-wide state of the "T" sequence.
struct StampSequence
{
    std::mutex mutex;
    qint64 second = std::numeric_limits<qint64>::min();
    int next = 0;
    int used = 0;
};

// One sequence per sequence width: keys of different widths have prefixes of different
// lengths, so they cannot meet; keys of one width share the counter.
StampSequence &stampSequence(int digits)
{
    static std::mutex guard;
    static std::map<int, StampSequence> sequences;
    std::lock_guard lock(guard);
    return sequences[digits];
}

} // namespace

bool RecordNumbering::isNumberingKind(const QString &kind)
{
    const QString k = kind.trimmed().toUpper();
    return k == QLatin1String("T") || k == QLatin1String("C") || k == QLatin1String("Y")
        || k == QLatin1String("M") || k == QLatin1String("D");
}

QString RecordNumbering::timeStampKey(const QString &prefix, const QDateTime &now)
{
    const int digits = qBound(0, KeyLength - StampLength - int(prefix.size()), SequenceDigits);
    const int span = int(std::lround(std::pow(10, digits)));

    StampSequence &sequence = stampSequence(digits);
    std::lock_guard lock(sequence.mutex);
    qint64 second = now.toSecsSinceEpoch();
    if (second <= sequence.second && sequence.used < span) {
        second = sequence.second;
    } else {
        if (second <= sequence.second)
            second = sequence.second + 1;
        sequence.second = second;
        sequence.next = span > 1 ? int(QRandomGenerator::global()->bounded(span)) : 0;
        sequence.used = 0;
    }
    const int number = sequence.next;
    sequence.next = (sequence.next + 1) % span;
    ++sequence.used;

    const QDateTime stamp = now.addSecs(second - now.toSecsSinceEpoch());
    QString key = prefix + stamp.toString(QStringLiteral("yyMMddHHmmss"));
    if (digits > 0)
        key += QString::number(number).rightJustified(digits, QLatin1Char('0'));
    return key;
}

QString RecordNumbering::fixedPart(const QString &kind, const QString &yyyymm, const QString &yyyymmdd)
{
    const QString k = kind.trimmed().toUpper();
    if (k == QLatin1String("Y"))
        return yyyymm.left(4);
    if (k == QLatin1String("M"))
        return yyyymm;
    if (k == QLatin1String("D"))
        return yyyymmdd;
    return QString();
}

QString RecordNumbering::maxStatement(const TInsertData &entry, const QString &table, TSqlType sqlType,
                                      const QString &fixed)
{
    const QString kind = kindOf(entry);
    const QString &field = entry.FieldName;
    const QString &prefix = entry.Prefix;
    const int prefixLength = int(prefix.size());
    const int fixedLength = int(fixed.size());
    const int width = entry.Width;

    QString sql;
    if (kind == QLatin1String("C") && width == 0) {
        sql = QStringLiteral("SELECT MAX(") + field + QStringLiteral(") From ") + table;
    } else if (sqlType == urStandard) {
        const int counterWidth = width - fixedLength;
        const QString start = prefix + fixed;
        sql = QStringLiteral("SELECT ") + field + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") + field
            + QStringLiteral(" BETWEEN ") + sqlText(start + QString(counterWidth, QLatin1Char('0')))
            + QStringLiteral(" AND ") + sqlText(start + QString(counterWidth, QLatin1Char('9')));
        if (!entry.Where.isEmpty())
            sql += QStringLiteral(" AND ") + entry.Where;
        return sql + QStringLiteral(" ORDER BY ") + field + QStringLiteral(" DESC");
    } else if (kind == QLatin1String("C")) {
        sql = QStringLiteral("SELECT MAX(") + substringText(sqlType, field, prefixLength + 1, width) + QStringLiteral(") From ") + table;
        if (prefixLength > 0)
            sql += QStringLiteral(" WHERE ") + substringText(sqlType, field, 1, prefixLength) + QStringLiteral(" = ") + sqlText(prefix);
    } else {
        sql = QStringLiteral("SELECT MAX(") + substringText(sqlType, field, prefixLength + fixedLength + 1, width)
            + QStringLiteral(") From ") + table + QStringLiteral(" WHERE ")
            + substringText(sqlType, field, prefixLength + 1, fixedLength) + QStringLiteral("= ") + sqlText(fixed);
        if (prefixLength > 0)
            sql += QStringLiteral(" AND  ") + substringText(sqlType, field, 1, prefixLength) + QStringLiteral(" = ") + sqlText(prefix);
    }
    return appendWhere(sql, entry.Where);
}

QString RecordNumbering::nextIdentifier(const TInsertData &entry, TSqlType sqlType, const QString &fixed,
                                        const QString &stored)
{
    const int width = entry.Width;
    if (kindOf(entry) == QLatin1String("C") && width == 0)
        return entry.Prefix + QString::number(qint64(std::llround(ReadAmount(stored) + 1)));

    const int counterWidth = width - int(fixed.size());
    if (sqlType != urStandard) {
        // The counter part, read as if zeros followed a short one.
        const QString padded = (stored + Zeros).left(counterWidth);
        const qint64 n = std::llround(ReadAmount(padded) + 1);
        return entry.Prefix + fixed + (Zeros + QString::number(n)).right(counterWidth);
    }
    if (counterWidth <= 0 || counterWidth > 18)
        throw RangeError(QStringLiteral("Invalid number width %1 for %2").arg(width).arg(entry.FieldName));
    const qint64 last = stored.isEmpty() ? 0 : stored.mid(entry.Prefix.size() + fixed.size()).toLongLong();
    const QString counter = QString::number(last + 1);
    if (counter.size() > counterWidth)
        return QString();
    return entry.Prefix + fixed + counter.rightJustified(counterWidth, QLatin1Char('0'));
}

QString RecordNumbering::generate(const QString &databaseName, const TInsertData &entry, const QString &table,
                                  TSqlType sqlType, const QString &fixed)
{
    const QString sql = maxStatement(entry, table, sqlType, fixed);
    const bool plainMax = kindOf(entry) == QLatin1String("C") && entry.Width == 0;
    if (sqlType != urStandard || plainMax)
        return nextIdentifier(entry, sqlType, fixed, GetFieldValue(databaseName, sql));

    // Candidates come highest first; hand-typed values of other shapes are passed over.
    // They are read in small batches: a server would otherwise send every candidate.
    DatabaseEngine &engine = DatabaseEngine::byName(databaseName);
    const QString start = entry.Prefix + fixed;
    const qsizetype fullWidth = start.size() + entry.Width - fixed.size();
    constexpr int Batch = 64;
    QString highest;
    for (int offset = 0; highest.isEmpty(); offset += Batch) {
        QSqlQuery query(engine.database());
        query.setForwardOnly(true);
        if (!query.exec(sql + QStringLiteral(" LIMIT %1 OFFSET %2").arg(Batch).arg(offset)))
            engine.raise(query.lastError());
        int read = 0;
        while (query.next()) {
            ++read;
            const QString value = query.value(0).toString();
            if (value.size() == fullWidth && value.startsWith(start) && isDigits(QStringView(value).mid(start.size()))) {
                highest = value;
                break;
            }
        }
        if (read < Batch)
            break;
    }
    return nextIdentifier(entry, sqlType, fixed, highest);
}
