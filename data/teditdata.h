#pragma once

#include "sharedarray.h"

#include <QString>

// One value stamped when a record is edited (EDIT_NAME, EDIT_DATE).
struct TEditData
{
    QString FieldName{};
    QString Value{};
    // The value is the working date at the moment editing starts (Value is then ignored).
    bool WorkingDate = false;

    static TEditData workingDate(const QString &fieldName)
    {
        TEditData entry;
        entry.FieldName = fieldName;
        entry.WorkingDate = true;
        return entry;
    }
};

using TEditDataArray = SharedArray<TEditData>;
