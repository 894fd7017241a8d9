#include "xlsxsheetwriter.h"

#include <QFile>

#include <xlsxwriter.h>

XlsxSheetWriter::XlsxSheetWriter(const QString &fileName, const QString &sheetName) : m_fileName(fileName)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray path = QFile::encodeName(fileName);
    m_book = workbook_new_opt(path.constData(), &options);
    if (!m_book) {
        m_error = QStringLiteral("cannot create workbook");
        return;
    }
    const QByteArray name = validSheetName(sheetName).toUtf8();
    m_sheet = workbook_add_worksheet(m_book, name.constData());
    if (!m_sheet) {
        m_error = QStringLiteral("cannot add worksheet");
        return;
    }
    m_textFormat = workbook_add_format(m_book);
    format_set_num_format(m_textFormat, "@");
}

XlsxSheetWriter::~XlsxSheetWriter()
{
    if (m_book) {
        workbook_close(m_book);
        QFile::remove(m_fileName);
    }
}

bool XlsxSheetWriter::check(int error)
{
    if (error == LXW_NO_ERROR)
        return true;
    m_error = QString::fromUtf8(lxw_strerror(lxw_error(error)));
    return false;
}

bool XlsxSheetWriter::writeText(int row, int column, const QString &text)
{
    return writeText(row, column, text.toUtf8());
}

bool XlsxSheetWriter::writeText(int row, int column, const QByteArray &utf8)
{
    if (!m_sheet)
        return false;
    return check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), utf8.constData(), m_textFormat));
}

bool XlsxSheetWriter::writeNumber(int row, int column, double value)
{
    if (!m_sheet)
        return false;
    return check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, nullptr));
}

bool XlsxSheetWriter::close()
{
    if (!m_book)
        return false;
    const lxw_error error = workbook_close(m_book);
    m_book = nullptr;
    m_sheet = nullptr;
    return check(error);
}

QString XlsxSheetWriter::validSheetName(const QString &name)
{
    QString valid = name.trimmed();
    for (QChar &c : valid) {
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = QLatin1Char('_');
    }
    valid.truncate(31);
    while (valid.startsWith(QLatin1Char('\'')))
        valid.remove(0, 1);
    while (valid.endsWith(QLatin1Char('\'')))
        valid.chop(1);
    return valid.isEmpty() ? QStringLiteral("Sheet1") : valid;
}
