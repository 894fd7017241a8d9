#pragma once

#include <QColor>
#include <QtGlobal>

// Colours stored the way the settings have always held them: a number $00BBGGRR
// (blue in the high byte, red in the low byte), written as decimal text.
QColor fromBgr(quint32 bgr);
quint32 toBgr(const QColor &color);
