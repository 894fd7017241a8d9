#include "tqxquerymodel.h"

#include "exceptionhandler.h"
#include "tqxdataset.h"

TQXQueryModel::TQXQueryModel(TQXDataset *dataset, QObject *parent) : QAbstractTableModel(parent), m_dataset(dataset)
{
    connect(dataset, &TQXDataset::resetStarted, this, &TQXQueryModel::beginResetModel);
    connect(dataset, &TQXDataset::resetFinished, this, &TQXQueryModel::endResetModel);
    connect(dataset, &TQXDataset::rowsInsertStarted, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(dataset, &TQXDataset::rowsInsertFinished, this, &TQXQueryModel::endInsertRows);
    connect(dataset, &TQXDataset::rowsRemoveStarted, this,
            [this](int first, int last) { beginRemoveRows(QModelIndex(), first, last); });
    connect(dataset, &TQXDataset::rowsRemoveFinished, this, &TQXQueryModel::endRemoveRows);
    connect(dataset, &TQXDataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

TQXDataset *TQXQueryModel::dataset() const
{
    return m_dataset;
}

int TQXQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->loadedRowCount();
}

int TQXQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->fieldCount();
}

QVariant TQXQueryModel::data(const QModelIndex &index, int role) const
{
    if (!m_dataset || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    const TQXField &field = m_dataset->field(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return TQXField::text(m_dataset->value(index.row(), index.column()));
    case ValueRole:
        return m_dataset->typedValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (field.dataType() == TQXField::Type::Number || field.dataType() == TQXField::Type::Integer)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

bool TQXQueryModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_dataset || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_dataset->setFieldValue(index.column(), value);
    return true;
}

Qt::ItemFlags TQXQueryModel::flags(const QModelIndex &index) const
{
    if (!m_dataset || !index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (m_dataset->isEditing() && index.row() == m_dataset->currentRow())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TQXQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    if (!m_dataset || section < 0 || section >= columnCount())
        return QVariant();
    const TQXField &field = m_dataset->field(section);
    switch (role) {
    case Qt::DisplayRole: return field.displayLabel();
    case FieldNameRole: return field.fieldName();
    case DisplayWidthRole: return field.displayWidth();
    case VisibleRole: return field.isVisible();
    default: return QVariant();
    }
}

bool TQXQueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_dataset && m_dataset->canFetchMore();
}

void TQXQueryModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        m_dataset->fetchMore();
}

QHash<int, QByteArray> TQXQueryModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(FieldNameRole, "fieldName");
    names.insert(DisplayWidthRole, "displayWidth");
    names.insert(VisibleRole, "visible");
    names.insert(ValueRole, "value");
    return names;
}

int TQXQueryModel::columnOf(const QString &fieldName) const
{
    if (!m_dataset)
        return -1;
    const TQXField *field = m_dataset->findField(fieldName);
    return field ? field->index() : -1;
}

void TQXQueryModel::followCurrentRow(QItemSelectionModel *selection)
{
    connect(selection, &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        // The echo of a move the dataset made itself finds the row already current.
        if (!m_dataset || !current.isValid() || m_dataset->isEditing() || current.row() == m_dataset->currentRow())
            return;
        try {
            m_dataset->moveTo(current.row());
        } catch (...) {
            HandleCurrentException(this);
        }
    });
    connect(m_dataset, &TQXDataset::currentRowChanged, selection, [this, selection](int row) {
        if (row < 0 || row >= rowCount() || selection->currentIndex().row() == row)
            return;
        const int column = qMax(0, selection->currentIndex().column());
        selection->setCurrentIndex(index(row, column), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
}
