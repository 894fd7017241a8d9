#pragma once

#include <QAbstractItemModel>
#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <functional>

// One printable of a report band. Geometry is in millimetres from the band's top-left
// corner (the band starts at the left page margin). Bands own their items; screens keep
// the pointers the band hands out to change texts, fields or fonts before printing.
struct TQXReportItem
{
    enum class Kind { Label, DataText, SystemData, Shape };
    // System data: the running detail number, the page number, the page count of the
    // last prepared pass, the current date (yyyy-MM-dd) and the report title.
    enum class SystemKind { DetailNumber, PageNumber, PageCount, Date, Title };
    // A line runs through the middle of its rectangle; a rectangle draws its frame.
    enum class ShapeKind { HorizontalLine, VerticalLine, Rectangle };

    explicit TQXReportItem(Kind itemKind) : kind(itemKind) {}

    const Kind kind;
    QRectF geometry;
    // A label's text; for system data a text printed before the value.
    QString text;
    // Data-bound text: the field, and the dataset when it is not the report's own (such a
    // text prints the first record of its dataset).
    QString fieldName;
    QPointer<QAbstractItemModel> dataSet;
    SystemKind systemKind = SystemKind::DetailNumber;
    ShapeKind shapeKind = ShapeKind::Rectangle;
    qreal penWidth = 0.2;  // millimetres
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    bool enabled = true;
    // Called each time the item prints (not for the blank rows after the end of the data);
    // may replace the text and change the font for this one print.
    std::function<void(QString &text, QFont &font)> OnPrint;

    bool isShape() const { return kind == Kind::Shape; }
};
