#include "tqxfield.h"

#include "dataset.h"
#include "tqxdataset.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

TQXField::TQXField(TQXDataset &dataset, int index, QString name, Type type)
    : m_dataset(dataset), m_index(index), m_name(std::move(name)), m_type(type), m_displayLabel(m_name)
{
}

QVariant TQXField::value() const
{
    return m_dataset.fieldValue(m_index);
}

void TQXField::setValue(const QVariant &value)
{
    m_dataset.setFieldValue(m_index, value);
}

QString TQXField::asText() const
{
    return text(value());
}

double TQXField::asNumber() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QString) {
        double number = 0;
        return parseNumber(v.toString(), &number) ? number : 0.0;
    }
    return v.toDouble();
}

qint64 TQXField::asInteger() const
{
    return qint64(std::llround(asNumber()));
}

QDate TQXField::asDate() const
{
    const QVariant v = value();
    return v.typeId() == QMetaType::QDate ? v.toDate() : parseDate(v.toString());
}

bool TQXField::isNull() const
{
    const QVariant v = value();
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

QString TQXField::text(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Double: {
        // Whole amounts are the common case in a grid: print them without the float path.
        const double number = value.toDouble();
        if (std::abs(number) < 1e15 && number == std::trunc(number))
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    default:
        return valueText(value);
    }
}

QDate TQXField::parseDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QStringList parts = trimmed.split(QRegularExpression(QStringLiteral("[-/]")));
    if (parts.size() != 3)
        return QDate();
    bool okYear = false, okMonth = false, okDay = false;
    int year = parts[0].toInt(&okYear);
    const int month = parts[1].toInt(&okMonth);
    const int day = parts[2].toInt(&okDay);
    if (!okYear || !okMonth || !okDay || parts[0].size() > 4 || parts[1].size() > 2 || parts[2].size() > 2)
        return QDate();
    if (parts[0].size() <= 2) {
        const int first = QDate::currentDate().year() - 70;
        year += (first / 100) * 100;
        if (year < first)
            year += 100;
    }
    return QDate(year, month, day);
}

bool TQXField::parseNumber(const QString &text, double *number)
{
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (ok && std::isfinite(value)) {
        *number = value;
        return true;
    }
    return false;
}

QVariant TQXField::convert(Type type, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const int id = value.typeId();
    const bool textual = id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
    switch (type) {
    case Type::Text:
        if (id == QMetaType::Bool)
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        return valueText(value);
    case Type::Number:
    case Type::Integer: {
        double number = 0;
        if (textual) {
            const QString text = value.toString();
            if (text.trimmed().isEmpty())
                return QVariant();
            if (!parseNumber(text, &number))
                return text;
        } else if (id == QMetaType::QDate) {
            return valueText(value);
        } else {
            number = value.toDouble();
        }
        if (type == Type::Integer)
            return QVariant::fromValue(qlonglong(std::llround(number)));
        return number;
    }
    case Type::Date: {
        if (id == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (id == QMetaType::QDateTime)
            return value.toDateTime().date();
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QVariant();
        const QDate date = parseDate(text);
        return date.isValid() ? QVariant(date) : QVariant(text);
    }
    }
    return value;
}
