#include "rowstore.h"

#include <QDate>
#include <cstring>

namespace {

enum Tag : char { NullTag, TextTag, DoubleTag, IntegerTag, BoolTag, BytesTag };

quint32 readLength(const char *&p)
{
    quint32 length = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<quint8>(*p++);
        length |= quint32(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return length;
        shift += 7;
    }
}

template <typename T>
T readRaw(const char *&p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

// Decodes the cell at p and moves p past it.
QVariant readCell(const char *&p)
{
    switch (*p++) {
    case TextTag: {
        const quint32 length = readLength(p);
        const QString text = QString::fromUtf8(p, length);
        p += length;
        return text;
    }
    case DoubleTag: return readRaw<double>(p);
    case IntegerTag: return QVariant::fromValue(readRaw<qint64>(p));
    case BoolTag: return bool(*p++);
    case BytesTag: {
        const quint32 length = readLength(p);
        const QByteArray bytes(p, length);
        p += length;
        return bytes;
    }
    default: return QVariant();
    }
}

} // namespace

QVariantList RowStore::row(qsizetype row) const
{
    if (row == m_decodedRow)
        return m_decoded;
    const QByteArray &record = m_rows.at(row);
    const char *p = record.constData();
    const char *end = p + record.size();
    QVariantList values;
    while (p < end)
        values.append(readCell(p));
    return values;
}

QVariant RowStore::value(qsizetype row, int column) const
{
    if (row != m_decodedRow) {
        m_decoded = this->row(row);
        m_decodedRow = row;
    }
    return m_decoded.value(column);
}

QByteArray RowStore::encode(const QVariantList &values)
{
    Writer writer;
    for (const QVariant &value : values)
        writer.add(value);
    return writer.take();
}

void RowStore::Writer::addLength(quint32 length)
{
    while (length >= 0x80) {
        m_data.append(char((length & 0x7f) | 0x80));
        length >>= 7;
    }
    m_data.append(char(length));
}

void RowStore::Writer::addNull() { m_data.append(char(NullTag)); }

void RowStore::Writer::addText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    addUtf8(utf8.constData(), int(utf8.size()));
}

void RowStore::Writer::addUtf8(const char *utf8, int length)
{
    m_data.append(char(TextTag));
    addLength(quint32(length));
    m_data.append(utf8, length);
}

void RowStore::Writer::addDouble(double value)
{
    m_data.append(char(DoubleTag));
    m_data.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void RowStore::Writer::addInteger(qint64 value)
{
    m_data.append(char(IntegerTag));
    m_data.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void RowStore::Writer::addBool(bool value)
{
    m_data.append(char(BoolTag));
    m_data.append(char(value ? 1 : 0));
}

void RowStore::Writer::addBytes(const QByteArray &bytes)
{
    m_data.append(char(BytesTag));
    addLength(quint32(bytes.size()));
    m_data.append(bytes);
}

void RowStore::Writer::add(const QVariant &value)
{
    if (value.isNull()) {
        addNull();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: addDouble(value.toDouble()); break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: addInteger(value.toLongLong()); break;
    case QMetaType::QDate: addText(value.toDate().toString(Qt::ISODate)); break;
    case QMetaType::Bool: addBool(value.toBool()); break;
    case QMetaType::QByteArray: addBytes(value.toByteArray()); break;
    default: addText(value.toString()); break;
    }
}

QByteArray RowStore::Writer::take()
{
    // One exact allocation per record; the scratch buffer keeps its capacity.
    QByteArray data(m_data.constData(), m_data.size());
    m_data.resize(0);
    return data;
}
