#pragma once

#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Writes a one-worksheet .xlsx file row by row (rows must come in order; each row is
// flushed when the next starts, so memory stays flat for large exports). Text cells get
// the number format "@" so the spreadsheet keeps them as text when they are edited.
class XlsxSheetWriter
{
public:
    XlsxSheetWriter(const QString &fileName, const QString &sheetName);
    // A writer never closed discards its file.
    ~XlsxSheetWriter();
    XlsxSheetWriter(const XlsxSheetWriter &) = delete;
    XlsxSheetWriter &operator=(const XlsxSheetWriter &) = delete;

    // False when the workbook or its worksheet could not be created.
    bool isOpen() const { return m_sheet != nullptr; }
    // Rows and columns are 0-based; false when the cell could not be written.
    bool writeText(int row, int column, const QString &text);
    bool writeText(int row, int column, const QByteArray &utf8);
    bool writeNumber(int row, int column, double value);
    // Writes the file; false when it could not be written.
    bool close();
    QString errorText() const { return m_error; }

    // A worksheet name the spreadsheet accepts: at most 31 characters, none of []:*?/\,
    // no apostrophe at either end; an empty name becomes "Sheet1".
    static QString validSheetName(const QString &name);

private:
    bool check(int error);

    QString m_fileName;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_textFormat = nullptr;
    QString m_error;
};
