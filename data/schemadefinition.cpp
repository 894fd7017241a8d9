#include "schemadefinition.h"

#include "apperror.h"

#include <QFile>

namespace {

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot read %1").arg(path));
    return QString::fromUtf8(file.readAll());
}

void addColumn(SchemaTable &table, const QString &name, const QString &type, int width = 0)
{
    table.columns.append({name, type, width});
}

void addAudit(SchemaTable &table)
{
    addColumn(table, QStringLiteral("CREATE_NAME"), QStringLiteral("TEXT"), 10);
    addColumn(table, QStringLiteral("CREATE_DATE"), QStringLiteral("DATE"));
    addColumn(table, QStringLiteral("EDIT_NAME"), QStringLiteral("TEXT"), 10);
    addColumn(table, QStringLiteral("EDIT_DATE"), QStringLiteral("DATE"));
}

} // namespace

const SchemaDefinition &SchemaDefinition::shipped()
{
    static const SchemaDefinition definition = parse(readResource(QStringLiteral(":/schema/schema.txt")));
    return definition;
}

const SchemaTable *SchemaDefinition::table(const QString &name) const
{
    for (const SchemaTable &t : m_tables) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

SchemaDefinition SchemaDefinition::parse(const QString &text)
{
    SchemaDefinition definition;
    SchemaTable *current = nullptr;
    int lineNumber = 0;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString &word = words.first();
        auto fail = [&] { throw AppError(QStringLiteral("schema line %1: %2").arg(lineNumber).arg(line)); };

        if (word == QLatin1String("table")) {
            if (words.size() < 4 || words[2] != QLatin1String("key"))
                fail();
            definition.m_tables.append(SchemaTable{});
            current = &definition.m_tables.last();
            current->name = words[1];
            current->key = words[3].split(QLatin1Char(','));
            if (words.size() == 6 && words[4] == QLatin1String("unique"))
                current->unique = words[5].split(QLatin1Char(','));
        } else if (word == QLatin1String("layout")) {
            if (words.size() != 2)
                fail();
            definition.m_tables.append(SchemaTable{});
            current = &definition.m_tables.last();
            current->name = words[1];
            current->key = QStringList{QStringLiteral("USE_ID"), QStringLiteral("FORM_NAME"),
                                       QStringLiteral("DBGRID_NAME"), QStringLiteral("FIELD_NAME")};
            addColumn(*current, QStringLiteral("USE_ID"), QStringLiteral("TEXT"), 6);
            addColumn(*current, QStringLiteral("FORM_NAME"), QStringLiteral("TEXT"), 40);
            addColumn(*current, QStringLiteral("DBGRID_NAME"), QStringLiteral("TEXT"), 40);
            addColumn(*current, QStringLiteral("FIELD_NAME"), QStringLiteral("TEXT"), 40);
            addColumn(*current, QStringLiteral("FIELD_WIDTH"), QStringLiteral("INTEGER"));
            addColumn(*current, QStringLiteral("FIELD_ORDER"), QStringLiteral("INTEGER"));
        } else if (word == QLatin1String("category")) {
            if (words.size() != 4)
                fail();
            definition.m_tables.append(SchemaTable{});
            current = &definition.m_tables.last();
            current->name = words[1];
            current->key = QStringList{words[2]};
            addColumn(*current, words[2], QStringLiteral("TEXT"), 16);
            addColumn(*current, words[3], QStringLiteral("TEXT"), 20);
            addColumn(*current, QStringLiteral("PRIOR_ID"), QStringLiteral("TEXT"), 16);
            addColumn(*current, QStringLiteral("ORDER_ID"), QStringLiteral("INTEGER"));
            addColumn(*current, QStringLiteral("NOTE"), QStringLiteral("TEXT"), 40);
            addAudit(*current);
            current->indexes.append(QStringList{QStringLiteral("PRIOR_ID")});
        } else if (word == QLatin1String("picklist")) {
            if (words.size() != 4)
                fail();
            definition.m_tables.append(SchemaTable{});
            current = &definition.m_tables.last();
            current->name = words[1];
            current->key = QStringList{words[2]};
            addColumn(*current, words[2], QStringLiteral("TEXT"), words[3].toInt());
            addAudit(*current);
        } else if (!current) {
            fail();
        } else if (word == QLatin1String("audit")) {
            addAudit(*current);
        } else if (word == QLatin1String("index")) {
            if (words.size() != 2)
                fail();
            current->indexes.append(words[1].split(QLatin1Char(',')));
        } else {
            const QString type = words.value(1).toUpper();
            if (type == QLatin1String("TEXT")) {
                bool ok = false;
                const int width = words.value(2).toInt(&ok);
                if (!ok || width <= 0)
                    fail();
                addColumn(*current, word, type, width);
            } else if (type == QLatin1String("DATE") || type == QLatin1String("FLOAT") || type == QLatin1String("INTEGER")) {
                addColumn(*current, word, type);
            } else {
                fail();
            }
        }
    }
    return definition;
}

QStringList SchemaDefinition::createStatements(Engine engine) const
{
    const bool sqlite = engine == Engine::Sqlite;
    QStringList statements;
    for (const SchemaTable &table : m_tables) {
        QStringList parts;
        for (const SchemaColumn &column : table.columns) {
            if (column.type == QLatin1String("TEXT"))
                parts << QStringLiteral("%1 %3 CONSTRAINT width_%1 CHECK (gbk_width(%1) <= %2)")
                             .arg(column.name).arg(column.width)
                             // On the server text compares and sorts by code point, as on
                             // the file, whatever the database's locale.
                             .arg(sqlite ? QStringLiteral("VARCHAR(%1)").arg(column.width)
                                         : QStringLiteral("VARCHAR COLLATE \"C\""));
            else if (column.type == QLatin1String("DATE") && sqlite)
                parts << QStringLiteral("%1 DATE CONSTRAINT date_%1 CHECK (%1 IS NULL OR coalesce(date(%1, '+0 days') = %1, 0))").arg(column.name);
            else if (column.type == QLatin1String("FLOAT") && !sqlite)
                parts << column.name + QStringLiteral(" DOUBLE PRECISION");
            else
                parts << column.name + QLatin1Char(' ') + column.type;
        }
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(table.key.join(QLatin1Char(',')));
        if (!table.unique.isEmpty())
            parts << QStringLiteral("UNIQUE (%1)").arg(table.unique.join(QLatin1Char(',')));
        statements << QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(table.name, parts.join(QLatin1String(",\n  ")));
        for (const QStringList &index : table.indexes) {
            statements << QStringLiteral("CREATE INDEX %1_%2 ON %1(%3)")
                              .arg(table.name, index.join(QLatin1Char('_')), index.join(QLatin1Char(',')));
        }
    }
    return statements;
}

QStringList SchemaDefinition::shippedRows()
{
    QStringList statements;
    for (const QString &line : readResource(QStringLiteral(":/schema/shipped.sql")).split(QLatin1Char('\n'))) {
        const QString statement = line.trimmed();
        if (statement.isEmpty() || statement.startsWith(QLatin1String("--")))
            continue;
        statements << (statement.endsWith(QLatin1Char(';')) ? statement.chopped(1) : statement);
    }
    return statements;
}
