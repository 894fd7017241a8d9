#pragma once

#include "dataset.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

// Query operations on a named database (the program always passes MainDatabaseName).
// Each closes what it opened; OpenSQL hands its result to the caller.

// Opens a statement; raises the engine's failure unchanged.
std::unique_ptr<Dataset> OpenSQL(const QString &database, const QString &sql);
// Executes a statement; any failure gives false and shows nothing.
bool ExecuteSQL(const QString &database, const QString &sql);
// Formats the template with the arguments (%s, %d, %f, %%), then ExecuteSQL.
bool ExecuteSQLFmt(const QString &database, const QString &sqlTemplate, const QVariantList &arguments);
// The first column of the first row as text; empty when there is no row.
QString GetFieldValue(const QString &database, const QString &sql);
QString GetFieldValueFmt(const QString &database, const QString &sqlTemplate, const QVariantList &arguments);
// The first column of the first row read as a number (ParseMoney); 0 when there is no row.
double GetNumberValue(const QString &database, const QString &sql);
// Null when there is no row; the single value for one column; otherwise a list of the
// first row's values.
QVariant GetRowValues(const QString &database, const QString &sql);
// Empty when there is no row; the single value for one row of one column; otherwise a
// list of rows, each a list of values.
QVariant GetTableValues(const QString &database, const QString &sql);

// Formats a statement template the way the helpers above do; text arguments are placed
// as they are, so callers quote values with sqlText().
QString FormatSql(const QString &sqlTemplate, const QVariantList &arguments);
