#include "dataset.h"

#include "apperror.h"

#include <QDate>
#include <QLocale>

QString valueText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale::c().toString(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value.toString();
    }
}

Dataset::Dataset(QSqlQuery query) : m_query(std::move(query)), m_record(m_query.record())
{
    first();
}

bool Dataset::isEmpty() const
{
    return m_eof && m_bof;
}

void Dataset::first()
{
    m_eof = !m_query.first();
    m_bof = true;
}

void Dataset::last()
{
    m_eof = !m_query.last();
    m_bof = m_eof;
}

void Dataset::next()
{
    if (m_eof)
        return;
    if (!m_query.next()) {
        m_eof = true;
        m_query.last();
    }
    m_bof = false;
}

void Dataset::prior()
{
    if (m_query.previous()) {
        m_eof = false;
    } else {
        m_bof = true;
        m_query.first();
    }
}

int Dataset::recordCount()
{
    const int at = m_query.at();
    int count = m_query.size();
    if (count < 0) {
        count = m_query.last() ? m_query.at() + 1 : 0;
        if (at >= 0)
            m_query.seek(at);
        else
            m_query.first();
    }
    return count;
}

int Dataset::indexOf(const QString &name) const
{
    const int index = m_record.indexOf(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

QVariant Dataset::value(int index) const
{
    if (index < 0 || index >= m_record.count())
        throw RangeError(QStringLiteral("Field index out of range: %1").arg(index));
    if (m_eof && m_bof)
        return QVariant();
    return m_query.value(index);
}

QVariant Dataset::value(const QString &name) const
{
    return value(indexOf(name));
}

QString Dataset::text(int index) const
{
    return valueText(value(index));
}

QString Dataset::text(const QString &name) const
{
    return valueText(value(name));
}
