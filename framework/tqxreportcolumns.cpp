#include "tqxreportcolumns.h"

#include "tqxreport.h"

#include <QtMath>

TQXColumnTable LayOutColumns(TQXReport &report, const QList<TQXReportColumn> &columns, qreal headingTop,
                             qreal headingHeight, qreal rowHeight)
{
    TQXColumnTable table;
    int characters = 0;
    for (const TQXReportColumn &column : columns)
        characters += qMax(column.Width, 1);
    if (characters == 0)
        return table;
    const qreal scale = report.bandArea().width() / characters;

    TQXReportBand &header = report.pageHeader();
    TQXReportBand &detail = report.detail();
    header.height = qMax(header.height, headingTop + headingHeight);
    detail.height = rowHeight;
    qreal x = 0;
    for (const TQXReportColumn &column : columns) {
        const qreal width = qMax(column.Width, 1) * scale;
        const QRectF heading(x, headingTop, width, headingHeight);
        header.addShape(heading, TQXReportItem::ShapeKind::Rectangle);
        table.headings.push_back(header.addLabel(heading, column.Caption, Qt::AlignCenter));

        const QRectF cell(x, 0, width, rowHeight);
        detail.addShape(cell, TQXReportItem::ShapeKind::Rectangle);
        if (column.FieldName.isEmpty()) {
            table.cells.push_back(detail.addSystemData(cell, TQXReportItem::SystemKind::DetailNumber, QString(), Qt::AlignCenter));
        } else {
            const Qt::Alignment alignment = column.DataKind == QLatin1String("N") ? Qt::AlignRight | Qt::AlignVCenter
                                                                                  : Qt::AlignLeft | Qt::AlignVCenter;
            table.cells.push_back(detail.addDataText(cell, column.FieldName, alignment));
        }
        table.left.push_back(x);
        table.width.push_back(width);
        x += width;
    }
    return table;
}
