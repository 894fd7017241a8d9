#pragma once

#include <QRectF>

class QPainter;

// The program's picture: a sky over a road that runs into the distance, drawn into `area`.
// The horizon lies at `horizon` (a fraction of the height); the road is `topWidth` wide at
// the horizon and `bottomWidth` at the bottom edge (fractions of the width).
void PaintRoadPicture(QPainter &painter, const QRectF &area, qreal horizon, qreal topWidth, qreal bottomWidth);
