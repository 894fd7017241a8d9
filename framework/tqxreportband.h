#pragma once

#include "tqxreportitem.h"

#include <memory>
#include <vector>

// A band of a report: page header, detail, summary or page footer. Height in millimetres;
// a band with no height and no items prints nothing.
class TQXReportBand
{
public:
    enum class Kind { PageHeader, Detail, Summary, PageFooter };

    explicit TQXReportBand(Kind bandKind) : kind(bandKind) {}
    TQXReportBand(const TQXReportBand &) = delete;
    TQXReportBand &operator=(const TQXReportBand &) = delete;

    const Kind kind;
    qreal height = 0;
    bool enabled = true;
    // The font new items start with.
    QFont font;

    TQXReportItem *addLabel(const QRectF &rect, const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    TQXReportItem *addDataText(const QRectF &rect, const QString &fieldName, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    TQXReportItem *addSystemData(const QRectF &rect, TQXReportItem::SystemKind kind, const QString &prefix = QString(),
                                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    TQXReportItem *addShape(const QRectF &rect, TQXReportItem::ShapeKind kind, qreal penWidth = 0.2);
    TQXReportItem *addHorizontalLine(qreal x1, qreal x2, qreal y, qreal penWidth = 0.2);
    TQXReportItem *addVerticalLine(qreal x, qreal y1, qreal y2, qreal penWidth = 0.2);

    const std::vector<std::unique_ptr<TQXReportItem>> &items() const { return m_items; }
    bool isEmpty() const { return !enabled || (height <= 0 && m_items.empty()); }

private:
    TQXReportItem *add(TQXReportItem::Kind kind, const QRectF &rect);

    std::vector<std::unique_ptr<TQXReportItem>> m_items;
};
