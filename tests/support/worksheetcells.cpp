#include "worksheetcells.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <zlib.h>

namespace {

quint32 readLittleEndian(const QByteArray &data, qsizetype at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

// One member of a zip archive, found through the central directory and inflated.
QByteArray zipMember(const QByteArray &zip, const QString &member)
{
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return {};
    const int entries = int(readLittleEndian(zip, end + 10, 2));
    qsizetype at = readLittleEndian(zip, end + 16, 4);
    for (int i = 0; i < entries; ++i) {
        const int method = int(readLittleEndian(zip, at + 10, 2));
        const quint32 packedSize = readLittleEndian(zip, at + 20, 4);
        const quint32 size = readLittleEndian(zip, at + 24, 4);
        const int nameLength = int(readLittleEndian(zip, at + 28, 2));
        const int extraLength = int(readLittleEndian(zip, at + 30, 2));
        const int commentLength = int(readLittleEndian(zip, at + 32, 2));
        const qsizetype local = readLittleEndian(zip, at + 42, 4);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;
        if (name != member)
            continue;
        const qsizetype data = local + 30 + readLittleEndian(zip, local + 26, 2) + readLittleEndian(zip, local + 28, 2);
        if (method == 0)
            return zip.mid(data, size);
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            return {};
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(zip.constData() + data));
        stream.avail_in = packedSize;
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = size;
        const int result = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        return result == Z_STREAM_END ? out : QByteArray();
    }
    return {};
}

QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

} // namespace

QStringList WorksheetCells::row(int row) const
{
    const QString number = QString::number(row);
    int last = -1;
    for (int column = 0; column < 256; ++column) {
        if (cells.contains(columnLetters(column) + number))
            last = column;
    }
    QStringList values;
    for (int column = 0; column <= last; ++column)
        values << text(columnLetters(column) + number);
    return values;
}

QList<QStringList> WorksheetCells::rows() const
{
    QList<QStringList> values;
    for (int number = 1; number <= lastRow; ++number)
        values << row(number);
    return values;
}

WorksheetCells WorksheetCells::read(const QString &fileName)
{
    WorksheetCells sheet;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return sheet;
    const QByteArray zip = file.readAll();

    QXmlStreamReader book(zipMember(zip, QStringLiteral("xl/workbook.xml")));
    while (!book.atEnd()) {
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == QLatin1String("sheet")) {
            sheet.name = book.attributes().value(QStringLiteral("name")).toString();
            break;
        }
    }
    QStringList shared;
    QXmlStreamReader strings(zipMember(zip, QStringLiteral("xl/sharedStrings.xml")));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("t"))
            shared << strings.readElementText();
    }
    static const QRegularExpression digit(QStringLiteral("\\d"));
    QXmlStreamReader xml(zipMember(zip, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference;
    QString type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("c")) {
            reference = xml.attributes().value(QStringLiteral("r")).toString();
            type = xml.attributes().value(QStringLiteral("t")).toString();
            sheet.lastRow = qMax(sheet.lastRow, reference.mid(reference.indexOf(digit)).toInt());
        } else if (xml.name() == QLatin1String("v")) {
            const QString value = xml.readElementText();
            sheet.cells.insert(reference, type == QLatin1String("s") ? shared.value(value.toInt()) : value);
            if (type.isEmpty() || type == QLatin1String("n"))
                sheet.numbers.insert(reference);
        } else if (xml.name() == QLatin1String("t")) {
            sheet.cells.insert(reference, xml.readElementText());
        }
    }
    return sheet;
}
