#pragma once

#include <QString>

// The width of a text as the column widths count it: one unit for an ASCII character,
// two for every other character (a Chinese character takes two bytes in GBK).
int gbkWidth(const QString &text);
// The same for UTF-8 bytes, without decoding to QString.
int gbkWidthUtf8(const char *utf8, int length);
