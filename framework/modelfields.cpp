#include "modelfields.h"

#include "dataset.h"

#include <QAbstractItemModel>
#include <QSqlQueryModel>
#include <QSqlRecord>

int FieldColumn(const QAbstractItemModel &model, const QString &fieldName)
{
    if (fieldName.isEmpty())
        return -1;
    const int columns = model.columnCount();
    for (int column = 0; column < columns; ++column) {
        const QVariant name = model.headerData(column, Qt::Horizontal, FieldNameRole);
        if (name.isValid() && name.toString().compare(fieldName, Qt::CaseInsensitive) == 0)
            return column;
    }
    if (const auto *sqlModel = qobject_cast<const QSqlQueryModel *>(&model))
        return sqlModel->record().indexOf(fieldName);
    for (int column = 0; column < columns; ++column) {
        if (model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().compare(fieldName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QString FieldText(const QAbstractItemModel &model, int row, int column)
{
    return valueText(model.data(model.index(row, column), Qt::DisplayRole));
}

void FetchAllRows(QAbstractItemModel &model)
{
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
}

bool ModelIsOpen(const QAbstractItemModel *model)
{
    return model && model->columnCount() > 0;
}
