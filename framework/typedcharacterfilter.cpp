#include "typedcharacterfilter.h"

namespace {

bool isControlKey(const QString &typed)
{
    return typed == QLatin1String("\b") || typed == QLatin1String("\r");
}

bool isDigit(const QString &typed)
{
    return typed.size() == 1 && typed.at(0) >= QLatin1Char('0') && typed.at(0) <= QLatin1Char('9');
}

} // namespace

bool AcceptTypedCharacter(TEditTypes type, const QString &text, int selectionStart, int selectionLength, QString &typed)
{
    if (type == etString || type == etPhone)
        return true;
    if (isControlKey(typed) || isDigit(typed))
        return true;
    if (type == etDate)
        return typed == QLatin1String("-") || typed == QLatin1String("/");
    if (type == etTime)
        return typed == QLatin1String(":");

    // Numbers: replacing a selection that starts at the first character is free typing.
    if (selectionStart == 0 && selectionLength > 0)
        return true;
    if (typed == QLatin1String("-"))
        return !text.contains(QLatin1Char('-'));
    if (type == etFloat && (typed == QLatin1String(",") || typed == QLatin1String("."))) {
        if (text.contains(QLatin1Char('.')) || text.contains(QLatin1Char(',')))
            return false;
        typed = QStringLiteral(".");
        return true;
    }
    return false;
}

int LengthLimitOnEntry(TEditTypes type, const QString &text, int maxLength)
{
    const bool unlimited = maxLength <= 0 || maxLength >= 32767;
    switch (type) {
    case etFloat: return unlimited ? 16 : 0;
    case etDate: return 10;
    case etInteger: return unlimited && text.contains(QLatin1Char('-')) ? 11 : 0;
    default: return 0;
    }
}

bool UsesInputMethod(TEditTypes type)
{
    return type == etString || type == etPhone;
}
