#include "gbklengthvalidator.h"

#include "gbkwidth.h"

GbkLengthValidator::GbkLengthValidator(int maxWidth, bool upperCase, QObject *parent)
    : QValidator(parent), m_maxWidth(maxWidth), m_upperCase(upperCase)
{
}

QValidator::State GbkLengthValidator::validate(QString &input, int &) const
{
    if (m_upperCase)
        input = input.toUpper();
    return gbkWidth(input) <= m_maxWidth ? Acceptable : Invalid;
}
