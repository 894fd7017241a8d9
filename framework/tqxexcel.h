#pragma once

#include "texcelfieldname.h"

#include <QAbstractItemModel>
#include <QObject>
#include <QPointer>
#include <functional>

// Exports a dataset to a new spreadsheet workbook: one worksheet named ReportName, the
// column headings in row 1 (after "序号" when ID is on), one row per record (with its
// running number when ID is on) and a totals row. Every cell except the running numbers
// and the "N" columns is a text cell, so values such as "00017" keep their form. The
// workbook is written as an .xlsx file into OutputDirectory and opened for the user.
class TQXExcel final : public QObject
{
    Q_OBJECT

public:
    explicit TQXExcel(QObject *parent = nullptr);

    QPointer<QAbstractItemModel> DataSet;
    QString ReportName;
    bool ID = false;
    // Where workbooks are written; empty: the program's temporary directory.
    QString OutputDirectory;
    // Opens a written workbook for the user (default: the desktop's handler for .xlsx);
    // false when it could not be opened.
    std::function<bool(const QString &fileName)> OpenWorkbook;

    // Checks, writes and opens; false when no workbook was opened.
    bool ExportData(const TExcelFieldArray &fields, const TExcelFieldArray &footer);
    // The workbook written by the last export.
    QString fileName() const { return m_fileName; }

private:
    QString newFileName() const;

    QString m_fileName;
};
