#include "cellattrdelegate.h"

#include "tqxdataset.h"
#include "tqxquerymodel.h"

#include <QApplication>
#include <QPainter>

CellAttrDelegate::CellAttrDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
}

QString CellAttrDelegate::cutText(const QString &text, const QFontMetrics &metrics, int width)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    const QString dots = QStringLiteral("...");
    qsizetype keep = line.size();
    while (keep > 0 && metrics.horizontalAdvance(line.left(keep) + dots) > width)
        --keep;
    return line.left(keep) + dots;
}

void CellAttrDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const TApplyCellAttrEvent event = attrEvent ? attrEvent() : TApplyCellAttrEvent();
    if (!event)
        return;
    GridCell cell;
    cell.dataSet = dataSet ? dataSet() : nullptr;
    cell.row = index.row();
    cell.column = index.column();
    cell.fieldName = index.model()->headerData(index.column(), Qt::Horizontal, TQXQueryModel::FieldNameRole).toString();
    cell.selected = option->state.testFlag(QStyle::State_Selected);
    cell.focused = option->state.testFlag(QStyle::State_HasFocus);
    TCellAttr attr{QColor(), QColor(), option->font};
    event(cell, attr);
    if (attr.Background.isValid()) {
        option->backgroundBrush = attr.Background;
        option->palette.setColor(QPalette::Highlight, attr.Background);
    }
    if (attr.FontColor.isValid()) {
        option->palette.setColor(QPalette::Text, attr.FontColor);
        option->palette.setColor(QPalette::HighlightedText, attr.FontColor);
    }
    option->font = attr.Font;
}

void CellAttrDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const CellKind kind = kindOf ? kindOf(index.column()) : CellKind::Plain;
    if (kind == CellKind::Plain) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    painter->save();
    if (kind == CellKind::Picture) {
        const QImage picture = pictureOf ? pictureOf(index) : QImage();
        if (!picture.isNull())
            painter->drawImage(opt.rect.adjusted(1, 1, -1, -1), picture);
    } else {
        const QRect area = opt.rect.adjusted(3, 0, -3, 0);
        painter->setFont(opt.font);
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, cutText(text, QFontMetrics(opt.font), area.width()));
    }
    painter->restore();
}
