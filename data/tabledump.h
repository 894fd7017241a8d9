#pragma once

#include <QString>
#include <QStringList>

class DatabaseEngine;

// A portable copy of the program's tables: one text file per table (TABLE.tbl: a header,
// the column names, then one line per row, values tab-separated with \\, \t, \n, \r escaped
// and \N for NULL). It carries a database between engines, e.g. a backup taken from a
// server restored into a file database and back.
class TableDump
{
public:
    // Writes every table of the engine into `dir`, read from one consistent snapshot.
    // Returns the files written; raises on failure.
    static QStringList exportTables(DatabaseEngine &engine, const QString &dir);
    // Replaces the rows of every table that has a file in `dir` by the file's rows, in one
    // transaction: on any failure nothing changes. Columns the table lacks are ignored;
    // columns the file lacks stay NULL. Raises on failure.
    static void importTables(DatabaseEngine &engine, const QString &dir);

    static QString fileSuffix() { return QStringLiteral(".tbl"); }
};
