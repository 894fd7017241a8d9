#pragma once

#include <QList>
#include <QString>
#include <vector>

class TQXReport;
struct TQXReportItem;

// One column of a ruled list report, described like a grid column: the field (empty for
// the running detail number), its heading, its width in characters and its data kind
// ("N" prints right-aligned).
struct TQXReportColumn
{
    QString FieldName;
    QString Caption;
    int Width = 10;
    QString DataKind = QStringLiteral("C");
};

// Where LayOutColumns put things, so a screen can place totals under a column or hook a
// cell's printing.
struct TQXColumnTable
{
    std::vector<qreal> left;    // millimetres from the band's left edge
    std::vector<qreal> width;
    std::vector<TQXReportItem *> headings;
    std::vector<TQXReportItem *> cells;  // detail texts (system data for the number column)
};

// Lays the columns across the full band width (widths in proportion to their characters):
// ruled headings in the page header from `headingTop` (height `headingHeight`, the header
// grows to hold them) and one ruled detail row of `rowHeight` per record.
TQXColumnTable LayOutColumns(TQXReport &report, const QList<TQXReportColumn> &columns, qreal headingTop,
                             qreal headingHeight, qreal rowHeight);
