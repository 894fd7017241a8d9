#include "tqxreportband.h"

TQXReportItem *TQXReportBand::add(TQXReportItem::Kind kind, const QRectF &rect)
{
    auto item = std::make_unique<TQXReportItem>(kind);
    item->geometry = rect;
    item->font = font;
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

TQXReportItem *TQXReportBand::addLabel(const QRectF &rect, const QString &text, Qt::Alignment alignment)
{
    TQXReportItem *item = add(TQXReportItem::Kind::Label, rect);
    item->text = text;
    item->alignment = alignment;
    return item;
}

TQXReportItem *TQXReportBand::addDataText(const QRectF &rect, const QString &fieldName, Qt::Alignment alignment)
{
    TQXReportItem *item = add(TQXReportItem::Kind::DataText, rect);
    item->fieldName = fieldName;
    item->alignment = alignment;
    return item;
}

TQXReportItem *TQXReportBand::addSystemData(const QRectF &rect, TQXReportItem::SystemKind kind, const QString &prefix,
                                            Qt::Alignment alignment)
{
    TQXReportItem *item = add(TQXReportItem::Kind::SystemData, rect);
    item->systemKind = kind;
    item->text = prefix;
    item->alignment = alignment;
    return item;
}

TQXReportItem *TQXReportBand::addShape(const QRectF &rect, TQXReportItem::ShapeKind kind, qreal penWidth)
{
    TQXReportItem *item = add(TQXReportItem::Kind::Shape, rect);
    item->shapeKind = kind;
    item->penWidth = penWidth;
    return item;
}

TQXReportItem *TQXReportBand::addHorizontalLine(qreal x1, qreal x2, qreal y, qreal penWidth)
{
    return addShape(QRectF(x1, y, x2 - x1, 0), TQXReportItem::ShapeKind::HorizontalLine, penWidth);
}

TQXReportItem *TQXReportBand::addVerticalLine(qreal x, qreal y1, qreal y2, qreal penWidth)
{
    return addShape(QRectF(x, y1, 0, y2 - y1), TQXReportItem::ShapeKind::VerticalLine, penWidth);
}
