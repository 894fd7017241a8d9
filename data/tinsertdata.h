#pragma once

#include "sharedarray.h"

#include <QString>

class TQXQuery;

// One value filled in when a record is added. Kinds (case-insensitive): "A" assign Value;
// "L" True when Value is "是"; "B" copy the column named Value from DataSet's current record;
// "T", "C", "Y", "M", "D" generate a record number (RecordNumbering).
struct TInsertData
{
    QString FieldName{};
    QString Caption{};   // used in messages
    QString Where{};     // extra condition of the numbering statement
    int Width = 0;     // numbering: length of the identifier after the prefix
    QString Value{};
    TQXQuery *DataSet = nullptr;
    QString Kind{};
    QString Prefix{};
    // "A" only: the value is the working date at the moment the record is added (Value is
    // then ignored), so a screen left open past midnight still stamps today.
    bool WorkingDate = false;

    // An "A" entry stamping the working date of the moment the record is added.
    static TInsertData workingDate(const QString &fieldName, const QString &caption = QString())
    {
        TInsertData entry;
        entry.FieldName = fieldName;
        entry.Caption = caption.isEmpty() ? fieldName : caption;
        entry.Kind = QStringLiteral("A");
        entry.WorkingDate = true;
        return entry;
    }
};

using TInsertDataArray = SharedArray<TInsertData>;
