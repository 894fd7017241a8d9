#include "recordwriter.h"

#include "apperror.h"
#include "databaseengine.h"
#include "sqldialect.h"

#include <QDate>
#include <QLocale>
#include <QSqlQuery>

namespace {

const QString OldPrefix = QStringLiteral("OLD_");

bool containsName(const QStringList &names, const QString &name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

// The value an old-value condition compares with: exactly what was read.
QVariant comparedValue(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    return value;
}

} // namespace

int RecordValues::indexOf(const QString &name) const
{
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

RecordWriter::RecordWriter(DatabaseEngine &engine, QString table, UpdateStatements statements)
    : m_engine(engine), m_table(std::move(table)), m_statements(std::move(statements))
{
}

QString RecordWriter::literal(const QVariant &value, TQXField::Type type, const SqlDialect &dialect)
{
    const bool textual = value.typeId() == QMetaType::QString;
    switch (type) {
    case TQXField::Type::Date: {
        if (value.typeId() == QMetaType::QDate || value.isNull())
            return dialect.date(value.toDate());
        const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
        return date.isValid() ? dialect.date(date) : sqlText(value.toString());
    }
    case TQXField::Type::Number:
        if (value.isNull())
            return QStringLiteral("NULL");
        if (textual)
            return sqlText(value.toString());
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case TQXField::Type::Integer:
        if (value.isNull())
            return QStringLiteral("NULL");
        if (textual)
            return sqlText(value.toString());
        return QString::number(value.toLongLong());
    case TQXField::Type::Text:
        break;
    }
    return sqlText(TQXField::text(value));
}

namespace {

// The terms of a modify statement's where part, in order: the text up to and including
// each "=" (as written, upper case) and the column before it.
struct KeyTerm
{
    QString head;
    QString column;
};

QList<KeyTerm> keyTerms(const QStringList &modifySql)
{
    QString joined;
    for (const QString &line : modifySql)
        joined += QLatin1Char(' ') + line;
    joined = joined.toUpper();
    const qsizetype where = joined.indexOf(QLatin1String(" WHERE "));
    QList<KeyTerm> terms;
    if (where < 0)
        return terms;
    QString rest = joined.mid(where + 7);
    for (;;) {
        const qsizetype equals = rest.indexOf(QLatin1Char('='));
        if (equals < 0)
            break;
        terms.append({rest.left(equals + 1), rest.left(equals).trimmed()});
        const QString after = rest.mid(equals + 1);
        qsizetype next = after.indexOf(QLatin1String(" AND "));
        qsizetype skip = 5;
        if (next < 0) {
            next = after.indexOf(QLatin1String(" OR "));
            skip = 4;
        }
        if (next < 0)
            break;
        rest = after.mid(next + skip);
    }
    return terms;
}

} // namespace

QStringList RecordWriter::keyColumns(const QStringList &modifySql)
{
    QStringList columns;
    for (const KeyTerm &term : keyTerms(modifySql))
        columns << term.column;
    return columns;
}

QString RecordWriter::keyCondition(const QStringList &modifySql, const RecordValues &record, bool fromOld,
                                   const SqlDialect &dialect)
{
    QString condition;
    for (const KeyTerm &term : keyTerms(modifySql)) {
        const int index = record.indexOf(term.column);
        if (index < 0)
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(term.column));
        const QVariant value = fromOld ? record.old.value(index) : record.current.value(index);
        if (!condition.isEmpty())
            condition += QLatin1String(" AND ");
        condition += term.head + literal(value, record.types.at(index), dialect);
    }
    return condition;
}

QVariant RecordWriter::storedValue(const QVariant &value, TQXField::Type type, const QString &name)
{
    if (value.isNull())
        return QVariant();
    const bool textual = value.typeId() == QMetaType::QString;
    if (textual && value.toString().isEmpty())
        return QVariant();
    switch (type) {
    case TQXField::Type::Date:
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().toString(Qt::ISODate);
        throw ConvertError(QStringLiteral("'%1' is not a valid date (%2)").arg(value.toString(), name));
    case TQXField::Type::Number:
    case TQXField::Type::Integer:
        if (textual)
            throw ConvertError(QStringLiteral("'%1' is not a valid number (%2)").arg(value.toString(), name));
        return type == TQXField::Type::Integer ? QVariant::fromValue(value.toLongLong()) : QVariant(value.toDouble());
    case TQXField::Type::Text:
        break;
    }
    return TQXField::text(value);
}

QStringList RecordWriter::tableColumns()
{
    if (m_tableColumns.isEmpty()) {
        for (const ColumnInfo &column : m_engine.columns(m_table))
            m_tableColumns << column.name;
    }
    return m_tableColumns;
}

QVariantList RecordWriter::bind(const PositionalStatement &statement, const RecordValues &record,
                                const std::optional<QSqlRecord> &stored) const
{
    QVariantList values;
    for (const QString &parameter : statement.parameters) {
        if (parameter.startsWith(OldPrefix, Qt::CaseInsensitive)) {
            const int index = record.indexOf(parameter.mid(OldPrefix.size()));
            if (index >= 0) {
                values << comparedValue(record.old.value(index));
                continue;
            }
        }
        const int index = record.indexOf(parameter);
        if (index >= 0)
            values << storedValue(record.current.value(index), record.types.at(index), record.names.at(index));
        else if (stored && stored->indexOf(parameter) >= 0)
            values << stored->value(parameter);
        else
            values << QVariant();
    }
    return values;
}

int RecordWriter::update(const RecordValues &record, const QString &keyCondition)
{
    const QString modify = m_statements.ModifySQL.join(QLatin1Char('\n'));
    const qsizetype where = wherePosition(modify);
    const PositionalStatement set = toPositional(where < 0 ? modify : modify.left(where));

    // Columns the query did not read keep what the table holds.
    std::optional<QSqlRecord> stored;
    for (const QString &parameter : set.parameters) {
        if (record.indexOf(parameter) < 0) {
            stored = read(keyCondition);
            break;
        }
    }

    QVariantList values = bind(set, record, stored);
    QString sql = set.sql.trimmed() + QStringLiteral(" WHERE ") + keyCondition;
    const QStringList keys = keyColumns(m_statements.ModifySQL);
    const QStringList columns = tableColumns();
    for (int i = 0; i < record.names.size(); ++i) {
        const QString &name = record.names.at(i);
        if (!containsName(columns, name) || containsName(keys, name))
            continue;
        const QVariant old = record.old.value(i);
        if (old.isNull()) {
            sql += QStringLiteral(" AND ") + name + QStringLiteral(" IS NULL");
        } else {
            sql += QStringLiteral(" AND ") + name + QStringLiteral(" = ?");
            values << comparedValue(old);
        }
    }
    return m_engine.run(sql, values).numRowsAffected();
}

void RecordWriter::insert(const RecordValues &record)
{
    if (!m_statements.InsertSQL.isEmpty()) {
        const PositionalStatement statement = toPositional(m_statements.InsertSQL.join(QLatin1Char('\n')));
        m_engine.run(statement.sql, bind(statement, record, std::nullopt));
        return;
    }
    QStringList names;
    QStringList markers;
    QVariantList values;
    const QStringList columns = tableColumns();
    for (int i = 0; i < record.names.size(); ++i) {
        if (!containsName(columns, record.names.at(i)))
            continue;
        names << record.names.at(i);
        markers << QStringLiteral("?");
        values << storedValue(record.current.value(i), record.types.at(i), record.names.at(i));
    }
    m_engine.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_table, names.join(QLatin1Char(',')), markers.join(QLatin1Char(','))),
                 values);
}

int RecordWriter::remove(const QString &keyCondition)
{
    return m_engine.run(QStringLiteral("DELETE FROM ") + m_table + QStringLiteral("  WHERE ") + keyCondition).numRowsAffected();
}

bool RecordWriter::exists(const QString &keyCondition)
{
    QSqlQuery query = m_engine.run(QStringLiteral("SELECT COUNT(*) FROM ") + m_table + QStringLiteral("  WHERE ") + keyCondition);
    return query.next() && query.value(0).toLongLong() > 0;
}

std::optional<QSqlRecord> RecordWriter::read(const QString &condition)
{
    QSqlQuery query = m_engine.run(QStringLiteral("SELECT * FROM ") + m_table + QStringLiteral("  WHERE ") + condition);
    if (!query.next())
        return std::nullopt;
    return query.record();
}

int RecordWriter::applyModify(const RecordValues &record)
{
    const PositionalStatement statement = toPositional(m_statements.ModifySQL.join(QLatin1Char('\n')));
    return m_engine.run(statement.sql, bind(statement, record, std::nullopt)).numRowsAffected();
}

int RecordWriter::applyDelete(const RecordValues &record)
{
    const PositionalStatement statement = toPositional(m_statements.DeleteSQL.join(QLatin1Char('\n')));
    return m_engine.run(statement.sql, bind(statement, record, std::nullopt)).numRowsAffected();
}
