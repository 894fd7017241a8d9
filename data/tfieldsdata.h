#pragma once

#include "sharedarray.h"

#include <QObject>
#include <QPointer>
#include <QString>

// How a screen describes one column of its query: caption, grid width and footer, data kind
// for the save checks, and how the find dialogs offer it. Entries are declared in field
// order; the grids and find dialogs read the same array as the query.
struct TFieldsData
{
    QString FieldName{};
    QString Caption{};
    // Characters when above 0; -1: visible with width 0 while the grid column is hidden;
    // -2: grid column hidden.
    int Width = 0;
    QString FooterField{};   // summed field for "@Sum" (empty: the column's own field)
    QString Footer{};        // "@Sum", "@Count", a fixed text, or empty
    QString FooterFormat{};  // display format of the count footer
    QString DataKind = QStringLiteral("C");  // "C" text, "N" number, "D" date
    QString KeyField{};      // second column used with this one by the find dialogs
    QString TableAlias{};    // find dialogs write the column as TableAlias + "." + column
    QString FindKind{};
    QString LookupTable{};
    QString LookupKey{};
    QString LookupName{};
    bool Required = false;
    // Control focused when this field fails a check (none: the control bound to the field);
    // a required field also passes when this control shows a text.
    QPointer<QObject> FocusControl{};
    bool Visible = true;
};

using TFieldsDataArray = SharedArray<TFieldsData>;
