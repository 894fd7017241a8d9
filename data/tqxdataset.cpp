#include "tqxdataset.h"

#include "apperror.h"
#include "schemadefinition.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <climits>
#include <sqlite3.h>

namespace {

const QString ResultAlias = QStringLiteral(" AS QX_RESULT");

// Date columns are text on SQLite; the schema tells them apart from other text.
const QSet<QString> &schemaDateColumns()
{
    static const QSet<QString> columns = [] {
        QSet<QString> names;
        try {
            for (const SchemaTable &table : SchemaDefinition::shipped().tables()) {
                for (const SchemaColumn &column : table.columns) {
                    if (column.type == QLatin1String("DATE"))
                        names.insert(column.name.toUpper());
                }
            }
        } catch (const AppError &) {
            // Without the schema only engines with a date type report dates.
        }
        return names;
    }();
    return columns;
}

// The type of a column from its declared type (SQLite), falling back on the schema's
// date columns and on the type of the value stored in the first row.
TQXField::Type typeOfDeclared(const QString &name, const QString &declared, int storedType)
{
    const QString type = declared.toUpper();
    if (type.startsWith(QLatin1String("DATE")))
        return TQXField::Type::Date;
    if (type.contains(QLatin1String("INT")))
        return TQXField::Type::Integer;
    if (type.contains(QLatin1String("FLOA")) || type.contains(QLatin1String("DOUB")) || type.contains(QLatin1String("REAL")))
        return TQXField::Type::Number;
    if (schemaDateColumns().contains(name.toUpper()))
        return TQXField::Type::Date;
    if (type.isEmpty() && storedType == SQLITE_INTEGER)
        return TQXField::Type::Integer;
    if (type.isEmpty() && storedType == SQLITE_FLOAT)
        return TQXField::Type::Number;
    return TQXField::Type::Text;
}

TQXField::Type typeOf(const QSqlField &field)
{
    switch (field.metaType().id()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: return TQXField::Type::Date;
    case QMetaType::Double:
    case QMetaType::Float: return TQXField::Type::Number;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return TQXField::Type::Integer;
    default: break;
    }
    return schemaDateColumns().contains(field.name().toUpper()) ? TQXField::Type::Date : TQXField::Type::Text;
}

} // namespace

TQXDataset::TQXDataset(QObject *parent) : QObject(parent), m_databaseName(MainDatabaseName) {}

TQXDataset::~TQXDataset() = default;

DatabaseEngine &TQXDataset::engine() const
{
    return DatabaseEngine::byName(m_databaseName);
}

void TQXDataset::setSql(const QString &sql)
{
    if (m_state != State::Inactive)
        close();
    m_sql = sql;
}

void TQXDataset::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

QString TQXDataset::subquery() const
{
    QString statement = m_sql.trimmed();
    while (statement.endsWith(QLatin1Char(';')))
        statement.chop(1);
    return QStringLiteral("(") + statement + QLatin1Char(')') + ResultAlias;
}

QVariant TQXDataset::storedForm(TQXField::Type type, const QVariant &value)
{
    // Rows keep dates as the ISO text the database gives ('2006-08-31'); a field reads it
    // as a QDate. Text that is no such date stays as it is.
    if (type != TQXField::Type::Date)
        return value;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return value;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int part = 0; part < 3; ++part) {
        for (int i = starts[part]; i < starts[part] + lengths[part]; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return value;
            parts[part] = parts[part] * 10 + (c.unicode() - '0');
        }
    }
    const QDate date(parts[0], parts[1], parts[2]);
    return date.isValid() ? QVariant(date) : value;
}

// ---- Opening and reading -----------------------------------------------------------------

void TQXDataset::open()
{
    if (m_state != State::Inactive)
        return;
    emit resetStarted();
    m_rows.clear();
    m_fields.clear();
    m_loadedKeys.clear();
    m_keyIndexes.clear();
    m_sourceOffset = 0;
    m_allFetched = false;
    try {
        readPage(FirstPageSize);
    } catch (...) {
        m_rows.clear();
        m_fields.clear();
        m_allFetched = true;
        m_current = -1;
        emit resetFinished();
        throw;
    }
    m_state = State::Browse;
    m_current = m_rows.size() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_rows.size() == 0;
    emit resetFinished();
    emit stateChanged(m_state);
    emit currentRowChanged(m_current);
}

void TQXDataset::close()
{
    if (m_state == State::Inactive)
        return;
    emit resetStarted();
    m_rows.clear();
    m_fields.clear();
    m_loadedKeys.clear();
    m_keyIndexes.clear();
    m_buffer.clear();
    m_old.clear();
    m_allFetched = true;
    m_current = -1;
    m_bof = m_eof = true;
    m_state = State::Inactive;
    emit resetFinished();
    emit stateChanged(m_state);
}

void TQXDataset::buildFields(const QStringList &names, const QList<TQXField::Type> &types)
{
    for (int i = 0; i < names.size(); ++i)
        m_fields.push_back(std::make_unique<TQXField>(*this, i, names.at(i), types.at(i)));
    for (const QString &column : m_keyColumns) {
        const TQXField *key = findField(column);
        if (!key) {
            m_keyIndexes.clear();
            break;
        }
        m_keyIndexes << key->index();
    }
}

size_t TQXDataset::rowKey(const QVariantList &values) const
{
    QString key;
    for (int index : m_keyIndexes)
        key += TQXField::text(values.value(index)) + QChar(0x1f);
    return qHash(key);
}

bool TQXDataset::isLoaded(size_t key)
{
    if (m_loadedKeys.contains(key))
        return true;
    m_loadedKeys.insert(key);
    return false;
}

int TQXDataset::readPage(int limit)
{
    DatabaseEngine &db = engine();
    QSqlDatabase connection = db.database();
    const QString sql = QStringLiteral("SELECT * FROM ") + subquery()
        + QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(m_sourceOffset);
    QList<QByteArray> page;
    const int read = readSqlitePage(connection, sql, page) ? int(m_lastPageRows) : readDriverPage(connection, sql, page);
    m_sourceOffset += read;
    if (read < limit)
        m_allFetched = true;
    if (page.isEmpty())
        return 0;

    const int first = int(m_rows.size());
    const bool announce = m_state != State::Inactive;
    if (announce)
        emit rowsInsertStarted(first, first + int(page.size()) - 1);
    for (QByteArray &record : page)
        m_rows.appendEncoded(std::move(record));
    if (announce)
        emit rowsInsertFinished();
    return int(page.size());
}

bool TQXDataset::readSqlitePage(const QSqlDatabase &connection, const QString &sql, QList<QByteArray> &page)
{
    // SQLite directly: text stays UTF-8 from the file to the row store, with no QVariant
    // per cell and no UTF-16 round trip.
    const QVariant driverHandle = connection.driver()->handle();
    if (!driverHandle.isValid() || qstrcmp(driverHandle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3 *handle = *static_cast<sqlite3 *const *>(driverHandle.constData());
    if (!handle)
        return false;

    sqlite3_stmt *statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const auto fail = [&] {
        const int code = sqlite3_extended_errcode(handle);
        const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(statement);
        engine().raise(QSqlError(message, message, QSqlError::StatementError, QString::number(code)));
    };
    if (sqlite3_prepare_v2(handle, utf8.constData(), int(utf8.size()), &statement, nullptr) != SQLITE_OK)
        fail();

    const int columns = sqlite3_column_count(statement);
    int step = sqlite3_step(statement);
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        fail();
    if (m_fields.empty()) {
        QStringList names;
        QList<TQXField::Type> types;
        for (int i = 0; i < columns; ++i) {
            names << QString::fromUtf8(sqlite3_column_name(statement, i));
            const char *declared = sqlite3_column_decltype(statement, i);
            const int stored = step == SQLITE_ROW ? sqlite3_column_type(statement, i) : SQLITE_NULL;
            types << typeOfDeclared(names.last(), declared ? QString::fromUtf8(declared) : QString(), stored);
        }
        buildFields(names, types);
    }

    m_lastPageRows = 0;
    QVariantList keys(columns);
    RowStore::Writer writer;
    for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
        ++m_lastPageRows;
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER: writer.addInteger(sqlite3_column_int64(statement, i)); break;
            case SQLITE_FLOAT: writer.addDouble(sqlite3_column_double(statement, i)); break;
            case SQLITE_TEXT: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                writer.addUtf8(text, sqlite3_column_bytes(statement, i));
                break;
            }
            case SQLITE_BLOB: {
                const auto *data = static_cast<const char *>(sqlite3_column_blob(statement, i));
                writer.addBytes(QByteArray(data, sqlite3_column_bytes(statement, i)));
                break;
            }
            default: writer.addNull(); break;
            }
        }
        if (!m_keyIndexes.isEmpty()) {
            for (int index : m_keyIndexes) {
                switch (sqlite3_column_type(statement, index)) {
                case SQLITE_INTEGER: keys[index] = QVariant::fromValue(sqlite3_column_int64(statement, index)); break;
                case SQLITE_FLOAT: keys[index] = sqlite3_column_double(statement, index); break;
                case SQLITE_NULL: keys[index] = QVariant(); break;
                default:
                    keys[index] = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, index)),
                                                    sqlite3_column_bytes(statement, index));
                    break;
                }
            }
            if (isLoaded(rowKey(keys))) {
                writer.take();
                continue;
            }
        }
        page.append(writer.take());
    }
    if (step != SQLITE_DONE)
        fail();
    sqlite3_finalize(statement);
    return true;
}

int TQXDataset::readDriverPage(const QSqlDatabase &connection, const QString &sql, QList<QByteArray> &page)
{
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        engine().raise(query.lastError());
    if (m_fields.empty()) {
        const QSqlRecord record = query.record();
        QStringList names;
        QList<TQXField::Type> types;
        for (int i = 0; i < record.count(); ++i) {
            // The server folds unquoted identifiers to lower case; the program's names are
            // upper case, as SQLite gives them back.
            const QString name = record.fieldName(i);
            names << (name == name.toLower() ? name.toUpper() : name);
            types << typeOf(record.field(i));
        }
        buildFields(names, types);
    }
    const int columns = fieldCount();
    QVariantList values(columns);
    RowStore::Writer writer;
    int read = 0;
    while (query.next()) {
        ++read;
        for (int i = 0; i < columns; ++i) {
            values[i] = query.value(i);
            writer.add(values[i]);
        }
        QByteArray record = writer.take();
        if (m_keyIndexes.isEmpty() || !isLoaded(rowKey(values)))
            page.append(std::move(record));
    }
    query.finish();
    return read;
}

int TQXDataset::fetchMore()
{
    if (!canFetchMore())
        return 0;
    // Pages grow with the rows held, so reading far down costs a few OFFSET skips rather
    // than one per 256 rows.
    return readPage(qBound(PageSize, int(m_rows.size()) / 2, MaxPageSize));
}

void TQXDataset::fetchAll()
{
    while (canFetchMore())
        readPage(INT_MAX);
}

// ---- Fields, rows and cursor -------------------------------------------------------------

TQXField *TQXDataset::findField(const QString &name) const
{
    for (const auto &field : m_fields) {
        if (field->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

TQXField &TQXDataset::fieldByName(const QString &name) const
{
    if (TQXField *field = findField(name))
        return *field;
    throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
}

QVariant TQXDataset::fieldValue(int index) const
{
    if (isEditing())
        return m_buffer.value(index);
    return m_current >= 0 ? storedForm(field(index).dataType(), m_rows.value(m_current, index)) : QVariant();
}

void TQXDataset::setFieldValue(int index, const QVariant &value)
{
    if (!isEditing())
        throw DatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));
    const QVariant converted = TQXField::convert(field(index).dataType(), value);
    if (m_buffer[index].typeId() == converted.typeId() && m_buffer[index] == converted)
        return;
    m_buffer[index] = converted;
    emit fieldChanged(field(index).fieldName());
    emit rowChanged(m_current);
}

QVariant TQXDataset::value(int row, int column) const
{
    if (isEditing() && row == m_current)
        return m_buffer.value(column);
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows.value(row, column);
}

QVariant TQXDataset::typedValue(int row, int column) const
{
    if (column < 0 || column >= fieldCount())
        return QVariant();
    return storedForm(field(column).dataType(), value(row, column));
}

QVariantList TQXDataset::currentValues() const
{
    if (isEditing())
        return m_buffer;
    return m_current >= 0 ? m_rows.row(m_current) : QVariantList(fieldCount());
}

bool TQXDataset::isEmpty()
{
    if (m_state == State::Inactive)
        return true;
    if (m_rows.size() == 0 && canFetchMore())
        fetchMore();
    return m_rows.size() - (m_state == State::Insert ? 1 : 0) == 0;
}

void TQXDataset::setCurrent(int row, bool notify)
{
    m_current = row;
    m_bof = m_eof = false;
    emit currentRowChanged(row);
    if (notify && !m_opening && AfterScroll)
        AfterScroll();
}

void TQXDataset::moveTo(int row)
{
    if (m_state == State::Inactive)
        throw DatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
    if (isEditing())
        throw DatabaseError(QStringLiteral("%1: Cannot move while a record is being edited").arg(objectName()));
    while (row >= m_rows.size() && canFetchMore())
        fetchMore();
    if (m_rows.size() == 0) {
        m_bof = m_eof = true;
        return;
    }
    row = qBound(0, row, int(m_rows.size()) - 1);
    if (row != m_current)
        setCurrent(row, true);
    else
        m_bof = m_eof = false;
}

void TQXDataset::first()
{
    moveTo(0);
    m_bof = true;
}

void TQXDataset::last()
{
    fetchAll();
    moveTo(int(m_rows.size()) - 1);
    m_eof = true;
}

void TQXDataset::next()
{
    const int before = m_current;
    moveTo(m_current + 1);
    if (m_current == before)
        m_eof = true;
}

void TQXDataset::prior()
{
    const int before = m_current;
    moveTo(qMax(0, m_current - 1));
    if (m_current == before)
        m_bof = true;
}

int TQXDataset::recordCount()
{
    if (m_state == State::Inactive)
        return 0;
    if (m_allFetched)
        return int(m_rows.size()) - (m_state == State::Insert ? 1 : 0);
    QSqlQuery query = engine().run(QStringLiteral("SELECT COUNT(*) FROM ") + subquery());
    return query.next() ? query.value(0).toInt() : 0;
}

QList<double> TQXDataset::sums(const QStringList &fieldNames)
{
    if (m_state == State::Inactive || fieldNames.isEmpty())
        return QList<double>(fieldNames.size(), 0.0);
    QStringList parts;
    for (const QString &name : fieldNames)
        parts << QStringLiteral("COALESCE(SUM(%1),0)").arg(fieldByName(name).fieldName());
    QSqlQuery query = engine().run(QStringLiteral("SELECT ") + parts.join(QLatin1Char(',')) + QStringLiteral(" FROM ") + subquery());
    const bool found = query.next();
    QList<double> result;
    for (int i = 0; i < fieldNames.size(); ++i)
        result << (found ? query.value(i).toDouble() : 0.0);
    return result;
}

QStringList TQXDataset::oldValues() const
{
    QStringList texts;
    for (const QVariant &value : m_old)
        texts << TQXField::text(value);
    return texts;
}

// ---- Edit buffer ---------------------------------------------------------------------------

void TQXDataset::startInsert()
{
    const int row = m_rows.size() == 0 ? 0 : m_current + 1;
    m_buffer = QVariantList(fieldCount());
    m_old = m_buffer;
    emit rowsInsertStarted(row, row);
    m_rows.insert(row, m_buffer);
    emit rowsInsertFinished();
    m_current = row;
    m_bof = m_eof = false;
    setState(State::Insert);
    emit currentRowChanged(row);
}

void TQXDataset::startEdit()
{
    m_old = m_rows.row(m_current);
    m_buffer = m_old;
    for (int i = 0; i < m_buffer.size() && i < fieldCount(); ++i)
        m_buffer[i] = storedForm(field(i).dataType(), m_buffer[i]);
    setState(State::Edit);
}

void TQXDataset::commitBuffer(const QVariantList &values)
{
    const bool inserted = m_state == State::Insert;
    m_rows.replace(m_current, values);
    if (inserted && !m_keyIndexes.isEmpty())
        m_loadedKeys.insert(rowKey(values));
    m_buffer.clear();
    setState(State::Browse);
    emit rowChanged(m_current);
}

void TQXDataset::discardBuffer()
{
    if (m_state == State::Insert) {
        const int row = m_current;
        emit rowsRemoveStarted(row, row);
        m_rows.remove(row);
        emit rowsRemoveFinished();
        m_buffer.clear();
        // The current row is valid again before anyone hears of the state change.
        m_current = m_rows.size() == 0 ? -1 : qMax(0, row - 1);
        setState(State::Browse);
        setCurrent(m_current, true);
    } else if (m_state == State::Edit) {
        m_buffer.clear();
        setState(State::Browse);
        emit rowChanged(m_current);
    }
}

void TQXDataset::removeCurrentRow()
{
    const int row = m_current;
    if (row < 0)
        return;
    if (!m_keyIndexes.isEmpty())
        m_loadedKeys.remove(rowKey(m_rows.row(row)));
    emit rowsRemoveStarted(row, row);
    m_rows.remove(row);
    emit rowsRemoveFinished();
    // The rows after it moved up one place in the statement's result.
    m_sourceOffset = qMax(0, m_sourceOffset - 1);
    if (m_rows.size() == 0 && canFetchMore())
        fetchMore();
    setCurrent(m_rows.size() == 0 ? -1 : qMin(row, int(m_rows.size()) - 1), true);
    if (m_rows.size() == 0)
        m_bof = m_eof = true;
}
