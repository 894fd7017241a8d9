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

    // CREATE TABLE and CREATE INDEX statements for SQLite: widths and dates are enforced
    // by named CHECK constraints (width_<column>, date_<column>).
    QStringList sqliteStatements() const;

    // The shipped rows as statements.
    static QStringList shippedRows();

private:
    QList<SchemaTable> m_tables;
};
