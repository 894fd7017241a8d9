#pragma once

#include "tqxquerymodel.h"

#include <QString>

class QAbstractItemModel;

// How the report engine and the spreadsheet export find a dataset field in a Qt model.
// A model names its columns by field name through headerData(section, Qt::Horizontal,
// FieldNameRole); a QSqlQueryModel is also understood through its record, and any other
// model through its horizontal display header.
inline constexpr int FieldNameRole = TQXQueryModel::FieldNameRole;

// The model column of `fieldName` (compared without regard to case); -1 when none.
int FieldColumn(const QAbstractItemModel &model, const QString &fieldName);

// The field's text the way a data-bound control shows it: empty for NULL, numbers with "."
// and without trailing zeros, dates as yyyy-MM-dd.
QString FieldText(const QAbstractItemModel &model, int row, int column);

// Loads every row of a model that fetches lazily, so that rowCount() is the full count.
void FetchAllRows(QAbstractItemModel &model);

// A model that has no columns is a closed dataset.
bool ModelIsOpen(const QAbstractItemModel *model);
