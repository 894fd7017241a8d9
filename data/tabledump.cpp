#include "tabledump.h"

#include "apperror.h"
#include "databaseengine.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace {

const QByteArray Signature = "RUVELO-TABLE 1";
constexpr int RowsPerFetch = 5000;

QByteArray encode(const QVariant &value, const QString &type)
{
    if (value.isNull())
        return QByteArrayLiteral("\\N");
    QString text;
    if (type == QLatin1String("FLOAT"))
        text = QLocale::c().toString(value.toDouble(), 'g', 17);
    else if (type == QLatin1String("DATE") && value.typeId() == QMetaType::QDate)
        text = value.toDate().toString(Qt::ISODate);
    else
        text = value.toString();
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

QVariant decode(const QByteArray &field, const QString &type)
{
    if (field == "\\N") {
        if (type == QLatin1String("FLOAT"))
            return QVariant(QMetaType(QMetaType::Double));
        if (type == QLatin1String("INTEGER"))
            return QVariant(QMetaType(QMetaType::LongLong));
        return QVariant(QMetaType(QMetaType::QString));
    }
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        char c = field.at(i);
        if (c == '\\' && i + 1 < field.size()) {
            const char next = field.at(++i);
            c = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        }
        raw += c;
    }
    const QString text = QString::fromUtf8(raw);
    bool ok = true;
    QVariant value;
    if (type == QLatin1String("FLOAT"))
        value = QLocale::c().toDouble(text, &ok);
    else if (type == QLatin1String("INTEGER"))
        value = QLocale::c().toLongLong(text, &ok);
    else
        value = text;
    if (!ok)
        throw ConvertError(QStringLiteral("'%1' is not a valid number").arg(text));
    return value;
}

QString typeOf(const QList<ColumnInfo> &columns, const QString &name)
{
    for (const ColumnInfo &column : columns) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return column.type;
    }
    return {};
}

void writeTable(DatabaseEngine &engine, const QString &table, const QString &path, bool serverCursor)
{
    const QList<ColumnInfo> columns = engine.columns(table);
    QStringList names;
    for (const ColumnInfo &column : columns)
        names << column.name;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot write %1").arg(path));
    file.write(Signature + '\n' + table.toUtf8() + '\n' + names.join(QLatin1Char('\t')).toUtf8() + '\n');

    auto writeRows = [&](QSqlQuery &query) {
        int count = 0;
        while (query.next()) {
            QByteArray line;
            for (int i = 0; i < columns.size(); ++i) {
                if (i)
                    line += '\t';
                line += encode(query.value(i), columns.at(i).type);
            }
            line += '\n';
            file.write(line);
            ++count;
        }
        return count;
    };

    const QString select = QStringLiteral("SELECT %1 FROM %2").arg(names.join(QLatin1Char(',')), table);
    if (serverCursor) {
        // A server hands over whole results at once; a cursor keeps memory bounded.
        engine.run(QStringLiteral("DECLARE dump_rows NO SCROLL CURSOR FOR ") + select);
        for (;;) {
            QSqlQuery batch(engine.database());
            batch.setForwardOnly(true);
            if (!batch.exec(QStringLiteral("FETCH %1 FROM dump_rows").arg(RowsPerFetch)))
                engine.raise(batch.lastError());
            if (writeRows(batch) < RowsPerFetch)
                break;
        }
        engine.run(QStringLiteral("CLOSE dump_rows"));
    } else {
        QSqlQuery query(engine.database());
        query.setForwardOnly(true);
        if (!query.exec(select))
            engine.raise(query.lastError());
        writeRows(query);
    }
    if (!file.commit())
        throw AppError(QStringLiteral("Cannot write %1").arg(path));
}

} // namespace

QStringList TableDump::exportTables(DatabaseEngine &engine, const QString &dir)
{
    if (!QDir().mkpath(dir))
        throw AppError(QStringLiteral("Cannot create %1").arg(dir));
    const bool server = engine.dataDir().isEmpty();
    QStringList written;
    DatabaseEngine::Transaction transaction(engine);
    if (server)
        engine.run(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    for (const QString &table : engine.tableNames()) {
        const QString path = QDir(dir).filePath(table + fileSuffix());
        writeTable(engine, table, path, server);
        written << path;
    }
    transaction.commit();
    return written;
}

void TableDump::importTables(DatabaseEngine &engine, const QString &dir)
{
    const QStringList tables = engine.tableNames();
    DatabaseEngine::Transaction transaction(engine);
    for (const QString &fileName : QDir(dir).entryList({QStringLiteral("*") + fileSuffix()}, QDir::Files, QDir::Name)) {
        QFile file(QDir(dir).filePath(fileName));
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("Cannot read %1").arg(file.fileName()));
        if (file.readLine().trimmed() != Signature)
            throw AppError(QStringLiteral("%1 is not a table file").arg(file.fileName()));
        const QString table = QString::fromUtf8(file.readLine().trimmed());
        if (!tables.contains(table, Qt::CaseInsensitive))
            continue;
        const QStringList fileColumns = QString::fromUtf8(file.readLine()).chopped(1).split(QLatin1Char('\t'));
        const QList<ColumnInfo> columns = engine.columns(table);
        QList<int> used;
        QStringList names;
        QStringList types;
        for (int i = 0; i < fileColumns.size(); ++i) {
            const QString type = typeOf(columns, fileColumns.at(i));
            if (type.isEmpty())
                continue;
            used << i;
            names << fileColumns.at(i);
            types << type;
        }
        engine.run(QStringLiteral("DELETE FROM ") + table);
        if (names.isEmpty())
            continue;

        // Rows go in batches of multi-row inserts, within the engines' parameter limits.
        const int rowsPerInsert = qMax(1, 10000 / int(names.size()));
        const QString rowMarks = QLatin1Char('(') + QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
        const QString head = QStringLiteral("INSERT INTO %1(%2) VALUES ").arg(table, names.join(QLatin1Char(',')));
        QVariantList values;
        int pending = 0;
        auto flush = [&] {
            if (pending == 0)
                return;
            engine.run(head + QStringList(pending, rowMarks).join(QLatin1Char(',')), values);
            values.clear();
            pending = 0;
        };
        while (!file.atEnd()) {
            QByteArray line = file.readLine();
            if (line.endsWith('\n'))
                line.chop(1);
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() != fileColumns.size())
                throw AppError(QStringLiteral("%1: a row has %2 values instead of %3").arg(file.fileName()).arg(fields.size()).arg(fileColumns.size()));
            for (int k = 0; k < used.size(); ++k)
                values << decode(fields.at(used.at(k)), types.at(k));
            if (++pending == rowsPerInsert)
                flush();
        }
        flush();
    }
    transaction.commit();
}
