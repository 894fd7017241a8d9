#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <QVariantList>

// The rows of a result as compact byte records (one allocation per row, UTF-8 text), so
// that a grid scrolled through many thousands of rows does not hold a QVariant per cell.
// Values come back as QString, double, qlonglong, bool, QByteArray or a null QVariant;
// a QDate is kept as its ISO text, the form the database gives dates in.
class RowStore
{
public:
    qsizetype size() const { return m_rows.size(); }
    void clear() { m_rows.clear(); forget(); }

    void append(const QVariantList &values) { m_rows.append(encode(values)); }
    void insert(qsizetype row, const QVariantList &values) { m_rows.insert(row, encode(values)); forget(); }
    void replace(qsizetype row, const QVariantList &values) { m_rows[row] = encode(values); forget(); }
    void remove(qsizetype row) { m_rows.remove(row); forget(); }

    QVariantList row(qsizetype row) const;
    // A view asks for the cells of a row one after another: the last row read is kept
    // decoded.
    QVariant value(qsizetype row, int column) const;

    static QByteArray encode(const QVariantList &values);
    void appendEncoded(QByteArray record) { m_rows.append(std::move(record)); }

    // Builds one encoded record cell by cell (used while reading a result).
    class Writer
    {
    public:
        Writer() { m_data.reserve(1024); }
        void addNull();
        void addText(const QString &text);
        void addUtf8(const char *utf8, int length);
        void addDouble(double value);
        void addInteger(qint64 value);
        void addBool(bool value);
        void addBytes(const QByteArray &bytes);
        void add(const QVariant &value);
        QByteArray take();

    private:
        void addLength(quint32 length);
        QByteArray m_data;
    };

private:
    void forget() const { m_decodedRow = -1; }

    QList<QByteArray> m_rows;
    mutable qsizetype m_decodedRow = -1;
    mutable QVariantList m_decoded;
};
