#include "texthelpers.h"

#include "messageservice.h"

#include <QDate>
#include <QLocale>

#include <cmath>
#include <string>

namespace {

// A decimal number held as a sign and the digits of its magnitude counted in units of
// 10^-scale; the scale is implied by the caller. Rounding and the rule adjustments work
// on these digits, so they are exact and independent of binary floating point.
struct Units
{
    bool negative = false;
    std::string digits; // most significant first, at least one digit
};

void stripLeadingZeros(std::string &digits)
{
    const auto first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() - 1 : first);
}

bool isZero(const std::string &digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

void increment(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Subtracts a single digit; the caller guarantees digits >= amount.
void subtractSmall(std::string &digits, int amount)
{
    int borrow = amount;
    for (auto it = digits.rbegin(); it != digits.rend() && borrow > 0; ++it) {
        int d = (*it - '0') - borrow;
        borrow = 0;
        if (d < 0) {
            d += 10;
            borrow = 1;
        }
        *it = char('0' + d);
    }
    stripLeadingZeros(digits);
}

// x in units of 10^-decimals: its decimal expansion rounded to 18 significant digits,
// then rounded to whole units with halves away from zero. So the double nearest 1.005
// (1.00499999999999989) gives 100 units at 2 decimals, not 101.
Units toUnits(double x, int decimals)
{
    Units result;
    result.negative = std::signbit(x);

    // "d.ddddddddddddddddde±XX": 18 significant digits and a decimal exponent.
    const QString expanded = QString::number(std::fabs(x), 'e', 17);
    const qsizetype ePos = expanded.indexOf(QLatin1Char('e'));
    const std::string mantissa = expanded.left(ePos).remove(QLatin1Char('.')).toStdString();
    const int exponent = expanded.mid(ePos + 1).toInt();

    // The mantissa digits, read as an integer, count units of 10^(exponent - 17).
    const int shift = exponent - 17 + decimals;
    if (shift >= 0) {
        result.digits = mantissa + std::string(size_t(shift), '0');
    } else {
        const int keep = int(mantissa.size()) + shift;
        if (keep < 0) {
            result.digits = "0";
        } else {
            const bool roundUp = mantissa[size_t(keep)] >= '5';
            result.digits = keep > 0 ? mantissa.substr(0, size_t(keep)) : std::string("0");
            if (roundUp)
                increment(result.digits);
        }
    }
    stripLeadingZeros(result.digits);
    return result;
}

// Adds a small signed number of units (-9..9).
void addUnits(Units &value, int amount)
{
    if (amount == 0)
        return;
    const bool amountNegative = amount < 0;
    const int magnitude = std::abs(amount);
    if (isZero(value.digits) || value.negative == amountNegative) {
        if (isZero(value.digits))
            value.negative = amountNegative;
        for (int i = 0; i < magnitude; ++i)
            increment(value.digits);
        return;
    }
    // Opposite signs: subtract the smaller magnitude from the larger one.
    if (value.digits.size() > 1 || value.digits[0] - '0' >= magnitude) {
        subtractSmall(value.digits, magnitude);
    } else {
        value.digits = std::to_string(magnitude - (value.digits[0] - '0'));
        value.negative = amountNegative;
    }
}

// Drops the last digit, rounding halves away from zero (units of 10^-(d+1) -> 10^-d).
void dropLastDigit(Units &value)
{
    const bool roundUp = value.digits.back() >= '5';
    value.digits.pop_back();
    if (value.digits.empty())
        value.digits = "0";
    if (roundUp)
        increment(value.digits);
}

// Fixed-point text with the given number of decimals; a value that rounds to zero carries
// no minus sign.
QString unitsToText(Units value, int decimals)
{
    std::string digits = value.digits;
    if (digits.size() < size_t(decimals) + 1)
        digits.insert(0, size_t(decimals) + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - size_t(decimals), 1, '.');
    if (value.negative && !isZero(value.digits))
        digits.insert(0, 1, '-');
    return QString::fromStdString(digits);
}

// Adjustment, in units of the decimal after the last one kept, that turns ordinary
// half-up rounding into the named rule.
int ruleAdjustment(const QString &rule)
{
    if (rule == QStringLiteral("五舍六入"))
        return -1;
    if (rule == QStringLiteral("三舍四入"))
        return 1;
    if (rule == QStringLiteral("二舍三入"))
        return 2;
    if (rule == QStringLiteral("一舍二入"))
        return 3;
    return 0;
}

// Display width in the GBK sense: ASCII takes one unit, every other character two.
int charWidth(char32_t c)
{
    return c < 0x80 ? 1 : 2;
}

// Inserts "," between groups of three digits of the integer part of a plain number text.
QString groupThousands(const QString &text)
{
    const qsizetype signLength = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = text.size();
    QString result = text;
    for (qsizetype pos = point - 3; pos > signLength; pos -= 3)
        result.insert(pos, QLatin1Char(','));
    return result;
}

} // namespace

QString RoundToText(int decimals, const QString &rule, double x)
{
    if (!std::isfinite(x))
        return QStringLiteral("0");
    const int n = (decimals >= 1 && decimals <= 9) ? decimals : 0;
    const int adjustment = ruleAdjustment(rule);
    if (adjustment == 0)
        return unitsToText(toUnits(x, n), n);

    // Write x with one more decimal, shift that decimal by the rule's adjustment and round
    // the exact sum ordinarily: under "五舍六入" a 5 there becomes 4 and rounds down.
    Units value = toUnits(x, n + 1);
    addUnits(value, adjustment);
    dropLastDigit(value);
    return unitsToText(value, n);
}

QString FormatMoney(int decimals, bool withSign, double x)
{
    int d = decimals;
    if (d != 10 && d > 4)
        d = 4;
    if (d < 0)
        d = 0;
    const QString sign = withSign ? QStringLiteral("￥") : QString();

    // The rounded text with trailing zeros (and a bare point) dropped and thousands
    // grouped; zero gives an empty text. A value below one keeps its leading zero,
    // negative or not ("0.5", "-0.5").
    QString s = RoundToText(d == 10 ? 2 : d, QString(), x);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QStringLiteral("0"))
        s.clear();
    s = groupThousands(s);

    if (d >= 1 && d <= 4) {
        if (s.isEmpty())
            s = QStringLiteral("0.0000");
        else if (s.contains(QLatin1Char('.')))
            s += QStringLiteral("0000");
        else
            s += QStringLiteral(".0000");
        s.truncate(s.indexOf(QLatin1Char('.')) + 1 + d);
        return sign + s;
    }
    if (s.isEmpty())
        return withSign ? QStringLiteral("￥0.00") : QStringLiteral("0");
    return sign + s;
}

double ParseMoney(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    t = t.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(value) ? value : 0;
}

double ReadAmount(const QString &text)
{
    const qsizetype sign = text.indexOf(QStringLiteral("￥"));
    return ParseMoney(sign >= 0 ? text.mid(sign + 1) : text);
}

QString ZeroPad(const QString &text, int width)
{
    if (width <= 0)
        return QString();
    return (QStringLiteral("000000000") + text).right(width);
}

QString WrapText(const QString &text, int width)
{
    if (width <= 0)
        return text;
    QString result;
    result.reserve(text.size() + text.size() / width * 2);
    int lineWidth = 0;
    for (qsizetype i = 0; i < text.size();) {
        // One whole character, a surrogate pair included.
        const qsizetype length =
                (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QStringView ch = QStringView(text).mid(i, length);
        i += length;
        if (ch.front() == QLatin1Char('\n')) {
            // An existing line break starts a new line.
            result += ch;
            lineWidth = 0;
            continue;
        }
        if (ch.front() == QLatin1Char('\r')) {
            result += ch;
            continue;
        }
        const int w = charWidth(ch.toUcs4().value(0));
        // A character that would pass the width starts the next line (a line never
        // starts empty, so a character wider than the width stands alone).
        if (lineWidth > 0 && lineWidth + w > width) {
            result += QStringLiteral("\r\n");
            lineWidth = 0;
        }
        result += ch;
        lineWidth += w;
    }
    return result;
}

QString GetDelimitedPart(const QString &text, const QString &delimiter, int n)
{
    if (delimiter.isEmpty())
        return n == -1 ? text : QString();
    const QStringList pieces = text.split(delimiter);
    if (n == -1)
        return pieces.last();
    // pieces[0] is the text before the first delimiter, which has no number.
    if (n < 1 || n >= pieces.size())
        return QString();
    return pieces.at(n);
}

bool CheckDateText(const QString &text, const QString &caption)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    if (trimmed.size() != 10 || !QDate::fromString(trimmed, QStringLiteral("yyyy-MM-dd")).isValid()) {
        ShowWarning(QStringLiteral("错误的") + caption + QStringLiteral(",正确的") + caption
                    + QStringLiteral("格式是:\"2000-09-18\" "));
        return false;
    }
    return true;
}
