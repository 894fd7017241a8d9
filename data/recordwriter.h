#pragma once

#include "tqxfield.h"
#include "updatestatements.h"

#include <QSqlRecord>
#include <QStringList>
#include <QVariantList>
#include <optional>

class DatabaseEngine;
class SqlDialect;

// One record as the writer sees it: the query's fields with their values now and, for an
// edited or deleted record, as they were read.
struct RecordValues
{
    QStringList names;
    QList<TQXField::Type> types;
    QVariantList current;
    QVariantList old;

    // Position of a field by name, case-insensitive; -1 when absent.
    int indexOf(const QString &name) const;
};

// Writes one record of an editable query with generated SQL. Every value is bound or, in
// the key condition, written as an escaped literal; empty text and numbers are stored as
// NULL. The caller holds the transaction.
class RecordWriter
{
public:
    RecordWriter(DatabaseEngine &engine, QString table, UpdateStatements statements);

    // The key condition (LSQLEND) read from the modify statement's WHERE part: for every
    // "COLUMN = ..." the text up to the "=" followed by the field's value as a literal (old
    // values, or current ones for a new record). Empty when the statement has no WHERE.
    static QString keyCondition(const QStringList &modifySql, const RecordValues &record, bool fromOld,
                                const SqlDialect &dialect);
    // The columns named in the modify statement's WHERE part.
    static QStringList keyColumns(const QStringList &modifySql);
    // A value as an SQL literal of its field type ('text' escaped, bare numbers, dialect dates).
    static QString literal(const QVariant &value, TQXField::Type type, const SqlDialect &dialect);

    // Writes an edited record: the modify statement's SET part, restricted by the key
    // condition and by every other column of the table that the record read still holding
    // the value it had (NULL-safe). Returns the number of rows changed: 0 means the row was
    // deleted or changed by someone else meanwhile.
    int update(const RecordValues &record, const QString &keyCondition);
    // Inserts a new record through the insert statement (without one: every field that is a
    // column of the table). A taken key raises EngineError(DuplicateKey).
    void insert(const RecordValues &record);
    // DELETE FROM table  WHERE keyCondition; returns the rows deleted.
    int remove(const QString &keyCondition);
    bool exists(const QString &keyCondition);
    // The row the condition finds, if any.
    std::optional<QSqlRecord> read(const QString &condition);

    // Applies a change through the statements as given (no key condition of our own):
    // :NAME binds the new value, :OLD_NAME the old one. Return the rows changed.
    int applyModify(const RecordValues &record);
    int applyDelete(const RecordValues &record);

    // The value a column is stored with: empty text or number is NULL, dates are ISO text.
    // Raises ConvertError for text that does not convert to the field's type.
    static QVariant storedValue(const QVariant &value, TQXField::Type type, const QString &name);

private:
    QStringList tableColumns();
    // Binds the parameters of a statement; `stored` supplies values of columns that are not
    // fields of the query (modify statements keep what the table holds).
    QVariantList bind(const PositionalStatement &statement, const RecordValues &record,
                      const std::optional<QSqlRecord> &stored) const;

    DatabaseEngine &m_engine;
    QString m_table;
    UpdateStatements m_statements;
    QStringList m_tableColumns;
};
