#pragma once

#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QPointer>

class TQXDataset;

// Shows a TQXDataset (usually a TQXQuery) to item views: one row per row read so far, one
// column per field. Further pages are read through canFetchMore/fetchMore as the view
// scrolls; the current record's edits show at once. Several views may share one model.
class TQXQueryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        FieldNameRole = Qt::UserRole + 1,  // header: the field's name
        DisplayWidthRole,                  // header: display width in characters
        VisibleRole,                       // header: whether the field is shown
        ValueRole,                         // cell: the typed value (QString, double, QDate...)
    };

    explicit TQXQueryModel(TQXDataset *dataset, QObject *parent = nullptr);

    TQXDataset *dataset() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QHash<int, QByteArray> roleNames() const override;

    // The column of a field (-1: none).
    int columnOf(const QString &fieldName) const;

    // Keeps a view's current row and the dataset's current record together, both ways.
    // While a record is being edited the view cannot move the dataset.
    void followCurrentRow(QItemSelectionModel *selection);

private:
    QPointer<TQXDataset> m_dataset;
};
