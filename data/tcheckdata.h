#pragma once

#include "sharedarray.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

// One condition of a save-time look-up: ColumnName of the looked-up table compared with
// the query's FieldName (or with FixedValue when that is set).
struct TCheckItem
{
    QString FieldName{};
    QString ColumnName{};
    QString OldValue{};    // run time: the field's value when editing started
    QString FixedValue{};
    QString Kind = QStringLiteral("C");  // "N" number, "C" text, "D" date
};

// A save-time database check: SqlHead + conditions + SqlTail must find a row (must-exist)
// or must find none (Unique). A failure refuses the save with Message, or asks it as a
// question when AskOnly is set.
struct TCheckData
{
    static constexpr int MaxItems = 11;

    QList<TCheckItem> Items{};
    QString Message{};
    QString FillFields{};     // must-exist checks: query columns that receive the found row's columns
    QString TriggerField{};   // the check runs only when the query has this column
    QString SqlTail{};
    QPointer<QObject> FocusControl{};
    QString SqlHead{};        // e.g. "SELECT CAR_TYPE_ID FROM QX_CAR_TYPE_TABLE WHERE "
    bool Unique = false;
    bool SkipIfEmpty = false;
    bool AskOnly = false;
};

using TCheckDataArray = SharedArray<TCheckData>;
