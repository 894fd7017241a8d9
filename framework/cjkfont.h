#pragma once

#include <QFont>
#include <QString>

// A font for a family named as the screens and reports were designed ("宋体", "黑体"):
// the Windows font when installed, otherwise an installed CJK font of the same style, so
// Chinese text never renders as empty boxes. Any other family is tried first and then
// falls back to the "宋体" list.
QFont CjkFont(const QString &designFamily, qreal pointSize, bool bold = false);
