#include "tqxdbgrid.h"

#include "tagproperty.h"
#include "tformmemo.h"
#include "tqxdatasource.h"
#include "tqxdataset.h"
#include "tqxquerymodel.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>

TQXDBGrid::TQXDBGrid(QWidget *parent) : DataGridView(parent)
{
    cellDelegate()->kindOf = [this](int column) { return kindOf(column); };
    cellDelegate()->pictureOf = [this](const QModelIndex &index) { return pictureOf(index); };
    connect(this, &QAbstractItemView::clicked, this, &TQXDBGrid::OpenCell);
}

TQXDBGrid::~TQXDBGrid()
{
    if (m_memo)
        m_memo->close();
}

void TQXDBGrid::setMemoField(const QString &fieldName, bool memo)
{
    if (memo)
        m_memoFields.insert(fieldName.toUpper());
    else
        m_memoFields.remove(fieldName.toUpper());
}

void TQXDBGrid::setPictureField(const QString &fieldName, bool picture)
{
    if (picture)
        m_pictureFields.insert(fieldName.toUpper());
    else
        m_pictureFields.remove(fieldName.toUpper());
}

bool TQXDBGrid::isMemoField(const QString &fieldName) const
{
    return m_memoFields.contains(fieldName.toUpper());
}

bool TQXDBGrid::isPictureField(const QString &fieldName) const
{
    return m_pictureFields.contains(fieldName.toUpper());
}

QString TQXDBGrid::fieldAt(int column) const
{
    return queryModel() ? queryModel()->headerData(column, Qt::Horizontal, TQXQueryModel::FieldNameRole).toString()
                        : QString();
}

CellAttrDelegate::CellKind TQXDBGrid::kindOf(int column) const
{
    const QString field = fieldAt(column);
    if (isPictureField(field))
        return CellAttrDelegate::CellKind::Picture;
    if (isMemoField(field))
        return CellAttrDelegate::CellKind::Memo;
    return CellAttrDelegate::CellKind::Plain;
}

QImage TQXDBGrid::pictureOf(const QModelIndex &index) const
{
    const QVariant value = index.data(TQXQueryModel::ValueRole);
    if (value.typeId() == QMetaType::QByteArray)
        return QImage::fromData(value.toByteArray());
    const QString name = value.toString();
    return !name.isEmpty() && QFile::exists(name) ? QImage(name) : QImage();
}

void TQXDBGrid::dataSetReplaced()
{
    m_columnsSetUp = false;
    disconnect(m_stateLink);
    if (TQXDataset *ds = dataSet()) {
        m_stateLink = connect(ds, &TQXDataset::stateChanged, this, [this](TQXDataset::State state) {
            if (state == TQXDataset::State::Inactive) {
                m_columnsSetUp = false;
                if (m_memo)
                    m_memo->close();
            }
            updateEditTriggers();
        });
    }
    if (m_memo)
        m_memo->close();
}

void TQXDBGrid::updateEditTriggers()
{
    const TQXDataset *ds = dataSet();
    setEditTriggers(EditState && ds && ds->isEditing() ? QAbstractItemView::AllEditTriggers
                                                       : QAbstractItemView::NoEditTriggers);
}

void TQXDBGrid::SetupColumns()
{
    TQXDataset *ds = dataSet();
    if (m_columnsSetUp || !ds || ds->state() == TQXDataset::State::Inactive || !queryModel())
        return;
    QHeaderView *header = horizontalHeader();
    for (int column = 0; column < ds->fieldCount(); ++column) {
        setColumnHidden(column, !ds->field(column).isVisible());
        header->resizeSection(column, pixelsForCharacters(ds->field(column).displayWidth()));
    }
    if (queryModel()->columnCount() > 1) {
        for (const TFieldsData &entry : FieldsData()) {
            const int column = columnOf(entry.FieldName);
            if (column < 0)
                continue;
            if (!entry.Caption.isEmpty())
                ds->field(column).setDisplayLabel(entry.Caption);
            if (entry.Visible && entry.Width > 0)
                header->resizeSection(column, pixelsForCharacters(entry.Width));
            else if (entry.Visible && entry.Width == -1 && TagOf(this) == 100)
                header->resizeSection(column, screenPixels(200));
            setColumnHidden(column, !entry.Visible);
        }
        emit queryModel()->headerDataChanged(Qt::Horizontal, 0, queryModel()->columnCount() - 1);
    }
    keepCurrentShown();
    m_columnsSetUp = true;
}

void TQXDBGrid::OpenCell(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString field = fieldAt(index.column());
    const bool picture = isPictureField(field);
    if (!picture && !isMemoField(field))
        return;
    if (!m_memo)
        m_memo = new TFormMemo(this);
    const QString caption = queryModel()->headerData(index.column(), Qt::Horizontal).toString();
    if (picture) {
        m_memo->ShowPicture(caption, pictureOf(index));
        return;
    }
    TQXDataSource *source = dataSource();
    if (!source) {
        source = new TQXDataSource(this);
        source->setDataSet(dataSet());
        setDataSource(source);
    }
    m_memo->ShowMemo(caption, source, field, MemoEditable);
}

void TQXDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier) && PopWindowClick) {
        PopWindowClick(fieldAt(currentIndex().column()));
        return;
    }
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && IntoDown && queryModel()
        && currentIndex().row() == queryModel()->rowCount() - 1 && !queryModel()->canFetchMore(QModelIndex())) {
        IntoDown();
        return;
    }
    DataGridView::keyPressEvent(event);
}
