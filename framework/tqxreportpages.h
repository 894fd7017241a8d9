#pragma once

#include "tqxreportband.h"

#include <QFont>
#include <QString>
#include <vector>

// The page store of one production pass: for every page the bands in the order they
// printed, each with the final text and font of its items. Painting replays it.
struct TQXPrintedItem
{
    const TQXReportItem *item = nullptr;
    QString text;
    QFont font;
};

struct TQXPrintedBand
{
    const TQXReportBand *band = nullptr;
    qreal top = 0;          // millimetres below the top margin
    int row = -1;           // dataset row of a detail band; -1 for a blank row or another band
    bool blankRow = false;  // a detail row after the end of the data (shapes only)
    std::vector<TQXPrintedItem> items;
};

struct TQXReportPages
{
    std::vector<std::vector<TQXPrintedBand>> pages;

    int pageCount() const { return int(pages.size()); }
};
