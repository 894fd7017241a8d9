#include "roadpicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void PaintRoadPicture(QPainter &painter, const QRectF &area, qreal horizon, qreal topWidth, qreal bottomWidth)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(horizon, QColor(0xa9, 0xd0, 0xf0));
    sky.setColorAt(horizon, QColor(0x5d, 0x8a, 0x3c));
    sky.setColorAt(1.0, QColor(0x3c, 0x63, 0x25));
    painter.fillRect(area, sky);

    const qreal top = area.top() + area.height() * horizon;
    const qreal middle = area.left() + area.width() * 0.5;
    QPainterPath road;
    road.moveTo(middle - area.width() * topWidth / 2, top);
    road.lineTo(middle + area.width() * topWidth / 2, top);
    road.lineTo(middle + area.width() * bottomWidth / 2, area.bottom());
    road.lineTo(middle - area.width() * bottomWidth / 2, area.bottom());
    road.closeSubpath();
    painter.fillPath(road, QColor(0x55, 0x55, 0x5a));
    painter.setPen(QPen(QColor(0xf5, 0xd0, 0x4a), 2, Qt::DashLine));
    painter.drawLine(QPointF(middle, top + area.height() * 0.02), QPointF(middle, area.bottom()));
}
