#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStyledItemDelegate>
#include <functional>

class TQXDataset;

// The cell a grid is about to draw, as OnApplyCellAttr sees it.
struct GridCell
{
    TQXDataset *dataSet = nullptr;
    int row = -1;
    int column = -1;
    QString fieldName;
    bool selected = false;
    bool focused = false;
};

// What a screen may change before a cell is drawn: brush and font colours and the font.
// Invalid colours keep the grid's own.
struct TCellAttr
{
    QColor Background;
    QColor FontColor;
    QFont Font;
};

using TApplyCellAttrEvent = std::function<void(const GridCell &cell, TCellAttr &attr)>;

// Draws the cells of the framework grids: asks the grid's OnApplyCellAttr for the colours
// and font of each cell, then draws it normally. Memo cells show their text cut to the
// cell followed by "..."; picture cells show their picture stretched to the cell.
class CellAttrDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class CellKind { Plain, Memo, Picture };

    explicit CellAttrDelegate(QObject *parent = nullptr);

    std::function<TApplyCellAttrEvent()> attrEvent;
    std::function<TQXDataset *()> dataSet;
    std::function<CellKind(int column)> kindOf;
    // The picture of a picture cell (decoded by the grid).
    std::function<QImage(const QModelIndex &index)> pictureOf;

    // A memo text cut to `width` pixels of `metrics`, followed by "..." when cut.
    static QString cutText(const QString &text, const QFontMetrics &metrics, int width);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
