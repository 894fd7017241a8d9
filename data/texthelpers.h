#pragma once

#include <QString>

// Number, money and text helpers shared by every screen. Numbers always use "." as the
// decimal separator, whatever the system locale.

// Rounds x to n decimals (n outside 1..9 means 0) under a named rounding rule
// ("五舍六入", "三舍四入", "二舍三入", "一舍二入"; any other text rounds ordinarily).
// x counts as its decimal expansion to 18 significant digits; halves round away from
// zero. A result of zero has no minus sign; a value that is not finite gives "0".
QString RoundToText(int decimals, const QString &rule, double x);

// Money text with thousands separators: d decimals (d > 4 except 10 means 4; 10 means
// rounded to 2 with trailing zeros dropped; below 0 means 0), optionally prefixed with "￥".
QString FormatMoney(int decimals, bool withSign, double x);

// Lenient number reading: commas removed, empty or non-numeric text gives 0.
double ParseMoney(const QString &text);

// Like ParseMoney, but first drops everything up to and including a "￥".
double ReadAmount(const QString &text);

// The last `width` characters of "000000000" + text (empty for width <= 0).
QString ZeroPad(const QString &text, int width);

// Breaks text into lines of at most `width` GBK width units (ASCII 1, any other character
// 2) by inserting CR LF, never splitting a character. Existing line breaks start a new
// line; width <= 0 leaves the text as it is.
QString WrapText(const QString &text, int width);

// Piece n (1-based) after the n-th delimiter; n = -1: the text after the last delimiter
// (the whole text when there is none). A piece that does not exist gives empty text.
QString GetDelimitedPart(const QString &text, const QString &delimiter, int n);

// True when text is a date written yyyy-mm-dd; otherwise warns, unless the text is blank.
bool CheckDateText(const QString &text, const QString &caption);
