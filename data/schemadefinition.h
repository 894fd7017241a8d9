#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The program's tables as the schema description lists them, independent of any engine.
struct SchemaColumn
{
    QString name;
    QString type;   // "TEXT", "DATE", "FLOAT" or "INTEGER"
    int width = 0;  // text width in GBK bytes
};

struct SchemaTable
{
    QString name;
    QStringList key;
    QStringList unique;
    QList<SchemaColumn> columns;
    QList<QStringList> indexes;
};

class SchemaDefinition
{
public:
    // The shipped description (the resource :/schema/schema.txt); raises on a malformed line.
    static const SchemaDefinition &shipped();
    static SchemaDefinition parse(const QString &text);

    const QList<SchemaTable> &tables() const { return m_tables; }
    const SchemaTable *table(const QString &name) const;

    // CREATE TABLE and CREATE INDEX statements. Widths are enforced by CHECK constraints
    // named width_<column> over gbk_width(); on SQLite, which has no date type, dates are
    // checked by constraints named date_<column>.
    enum class Engine { Sqlite, Postgres };
    QStringList createStatements(Engine engine) const;
    QStringList sqliteStatements() const { return createStatements(Engine::Sqlite); }

    // The shipped rows as statements.
    static QStringList shippedRows();

private:
    QList<SchemaTable> m_tables;
};
