#pragma once

#include <QList>
#include <QString>

// One export column (in ExcelFields) or one totals-row cell (in ExcelFooter).
struct TExcelFieldName
{
    // ExcelFields: the dataset field; ExcelFooter: the cell's text.
    QString FieldName;
    // ExcelFields: the field's DataKind; "N" columns are written as numbers, every other
    // column as text cells.
    QString DataKind = {};
    // ExcelFields: the column heading.
    QString Caption = {};
};

using TExcelFieldArray = QList<TExcelFieldName>;
