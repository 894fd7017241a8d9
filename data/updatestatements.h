#pragma once

#include <QString>
#include <QStringList>

// The statements that write a query's records, line by line as the screens give them, with
// named parameters: :NAME is the new value of column NAME, :OLD_NAME its value before the
// edit. The key columns of the table are those named in the modify statement's WHERE part.
struct UpdateStatements
{
    QStringList ModifySQL;
    QStringList InsertSQL;
    QStringList DeleteSQL;

    bool isEmpty() const { return ModifySQL.isEmpty() && InsertSQL.isEmpty() && DeleteSQL.isEmpty(); }
};

// A statement whose :NAME parameters have been replaced by positional "?" markers.
struct PositionalStatement
{
    QString sql;
    QStringList parameters;  // the names, in order of the markers (without the colon)
};

// Replaces every :NAME outside quoted text by "?"; "::" (a type cast) is left alone.
PositionalStatement toPositional(const QString &sql);

// The position of the first WHERE keyword outside quoted text (-1: none).
qsizetype wherePosition(const QString &sql);
