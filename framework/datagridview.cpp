#include "datagridview.h"

#include "exceptionhandler.h"
#include "tagproperty.h"
#include "tqxdatasource.h"
#include "tqxdataset.h"
#include "tqxquerymodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

DataGridView::DataGridView(QWidget *parent) : QTableView(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    m_delegate = new CellAttrDelegate(this);
    m_delegate->attrEvent = [this] { return OnApplyCellAttr; };
    m_delegate->dataSet = [this] { return dataSet(); };
    setItemDelegate(m_delegate);
}

DataGridView::~DataGridView() = default;

TQXDataset *DataGridView::dataSet() const
{
    return m_model ? m_model->dataset() : nullptr;
}

void DataGridView::setDataSet(TQXDataset *dataset)
{
    if (dataset == dataSet() && (dataset || !m_model))
        return;
    QItemSelectionModel *oldSelection = selectionModel();
    TQXQueryModel *oldModel = m_model;
    m_model = dataset ? new TQXQueryModel(dataset, this) : nullptr;
    setModel(m_model);
    delete oldSelection;
    delete oldModel;
    if (m_model) {
        m_model->followCurrentRow(selectionModel());
        // After an open the dataset stands on its first record without saying so.
        const auto showCurrent = [this] {
            TQXDataset *ds = dataSet();
            if (!ds || ds->currentRow() < 0 || ds->currentRow() >= m_model->rowCount() || currentIndex().isValid())
                return;
            selectionModel()->setCurrentIndex(m_model->index(ds->currentRow(), firstShownColumn()),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        };
        connect(m_model, &QAbstractItemModel::modelReset, this, showCurrent);
        connect(m_model, &QAbstractItemModel::rowsInserted, this, showCurrent);
    }
    dataSetReplaced();
    emit dataSetChanged();
}

void DataGridView::setDataSource(TQXDataSource *source)
{
    disconnect(m_sourceLink);
    m_source = source;
    if (source) {
        m_sourceLink = connect(source, &TQXDataSource::dataSetChanged, this, [this] {
            if (m_source)
                setDataSet(m_source->dataSet());
        });
    }
    setDataSet(source ? source->dataSet() : nullptr);
}

void DataGridView::setFocusColorChange(bool on)
{
    m_focusColorChange = on;
    paintFocusColour(on && hasFocus());
}

void DataGridView::SetQueryEnabled(bool enabled)
{
    if (TagOf(this) != 1)
        setEnabled(enabled);
}

void DataGridView::keepCurrentShown()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && isColumnHidden(current.column()))
        selectionModel()->setCurrentIndex(m_model->index(current.row(), firstShownColumn()),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int DataGridView::firstShownColumn() const
{
    const QHeaderView *header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            return column;
    }
    return 0;
}

int DataGridView::columnOf(const QString &fieldName) const
{
    return m_model ? m_model->columnOf(fieldName) : -1;
}

// Widths were designed for a 9-point font whose digits are 6 pixels wide in cells of 6.25
// pixels per character; a larger font or resolution widens every column alike, so the
// widths saved in design pixels fit on every screen.
double DataGridView::scale() const
{
    const double resolution = logicalDpiX() > 0 ? logicalDpiX() / 96.0 : 1.0;
    const double font = (fontMetrics().horizontalAdvance(QLatin1Char('0')) + 1) / 6.25;
    return std::max({1.0, resolution, font});
}

int DataGridView::pixelsForCharacters(int characters) const
{
    return int(std::lround(characters * 6.25 * scale()));
}

int DataGridView::designPixels(int screenPixels) const
{
    return int(std::lround(screenPixels / scale()));
}

int DataGridView::screenPixels(int designPixels) const
{
    return int(std::lround(designPixels * scale()));
}

void DataGridView::GoLast()
{
    TQXDataset *ds = dataSet();
    if (!ds || !ds->isActive() || ds->isEditing())
        return;
    try {
        ds->last();
    } catch (...) {
        HandleCurrentException(this);
        return;
    }
    // The rows just read must be laid out before the view can scroll to the last one.
    executeDelayedItemsLayout();
    const int column = currentIndex().isValid() && !isColumnHidden(currentIndex().column()) ? currentIndex().column()
                                                                                          : firstShownColumn();
    if (ds->currentRow() >= 0 && ds->currentRow() < m_model->rowCount())
        scrollTo(m_model->index(ds->currentRow(), column), QAbstractItemView::PositionAtBottom);
}

void DataGridView::GoFirst()
{
    TQXDataset *ds = dataSet();
    if (!ds || !ds->isActive() || ds->isEditing())
        return;
    ds->first();
    scrollToTop();
}

void DataGridView::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_End) {
        GoLast();
        return;
    }
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_Home) {
        GoFirst();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGridView::paintFocusColour(bool focused)
{
    QPalette colours = palette();
    if (focused) {
        if (!m_focusPainted)
            m_normalBase = colours.color(QPalette::Base);
        colours.setColor(QPalette::Base, ColorOnFocus);
        m_focusPainted = true;
    } else if (m_focusPainted) {
        colours.setColor(QPalette::Base, m_normalBase);
        m_focusPainted = false;
    } else {
        return;
    }
    setPalette(colours);
}

void DataGridView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (m_focusColorChange)
        paintFocusColour(true);
}

void DataGridView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    paintFocusColour(false);
}
