#include "tqxexcel.h"

#include "appvalues.h"
#include "dataset.h"
#include "messageservice.h"
#include "modelfields.h"
#include "xlsxsheetwriter.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

namespace {

const QString NoExcelMessage = QStringLiteral("必须安装Microsoft Excel才能将数据导出到Excel中 ");
const QString FillFailedMessage = QStringLiteral("Excel打开过程发生错误");

bool isNumberType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// A value of an "N" column: a number cell when it reads as one, else a text cell.
bool writeNumberCell(XlsxSheetWriter &sheet, int row, int column, const QVariant &value)
{
    if (value.isNull())
        return true;
    if (isNumberType(value))
        return sheet.writeNumber(row, column, value.toDouble());
    const QString text = valueText(value).trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    return ok ? sheet.writeNumber(row, column, number) : sheet.writeText(row, column, text);
}

bool writeTextCell(XlsxSheetWriter &sheet, int row, int column, const QString &text)
{
    return text.isEmpty() || sheet.writeText(row, column, text);
}

QString fileNamePart(const QString &name)
{
    QString part = name.trimmed();
    for (QChar &c : part) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.isSpace())
            c = QLatin1Char('_');
    }
    return part;
}

} // namespace

TQXExcel::TQXExcel(QObject *parent) : QObject(parent)
{
    OpenWorkbook = [](const QString &fileName) { return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName)); };
}

QString TQXExcel::newFileName() const
{
    QString directory = OutputDirectory;
    if (directory.isEmpty())
        directory = App().TempDir.isEmpty() ? QDir::tempPath() : App().TempDir;
    const QString stem = QDir(directory).filePath(fileNamePart(ReportName) + QLatin1Char('_')
                                                  + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")));
    QString name = stem + QStringLiteral(".xlsx");
    for (int copy = 2; QFileInfo::exists(name); ++copy)
        name = stem + QLatin1Char('_') + QString::number(copy) + QStringLiteral(".xlsx");
    return name;
}

bool TQXExcel::ExportData(const TExcelFieldArray &fields, const TExcelFieldArray &footer)
{
    m_fileName.clear();
    QAbstractItemModel *model = DataSet.data();
    if (!ModelIsOpen(model)) {
        ShowWarning(QStringLiteral("没有数据源"));
        return false;
    }
    if (ReportName.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("没有报表名称"));
        return false;
    }
    FetchAllRows(*model);
    const int rows = model->rowCount();
    if (rows == 0) {
        ShowWarning(QStringLiteral("没有数据"));
        return false;
    }

    struct Column
    {
        int sheetColumn;
        int modelColumn;
        bool number;
    };
    const int shift = ID ? 1 : 0;
    std::vector<Column> columns;
    for (int k = 0; k < fields.size(); ++k) {
        if (fields.at(k).FieldName.isEmpty())
            continue;
        const int modelColumn = FieldColumn(*model, fields.at(k).FieldName);
        if (modelColumn < 0) {
            ShowWarning(FillFailedMessage);
            return false;
        }
        columns.push_back({k + shift, modelColumn, fields.at(k).DataKind == QLatin1String("N")});
    }

    const QString fileName = newFileName();
    XlsxSheetWriter sheet(fileName, ReportName.trimmed());
    if (!sheet.isOpen()) {
        ShowWarning(NoExcelMessage);
        return false;
    }

    bool filled = true;
    if (ID)
        filled = sheet.writeText(0, 0, QStringLiteral("序号"));
    for (int k = 0; filled && k < fields.size(); ++k)
        filled = writeTextCell(sheet, 0, k + shift, fields.at(k).Caption);
    int sheetRow = 1;
    for (int row = 0; filled && row < rows; ++row, ++sheetRow) {
        if (ID)
            filled = sheet.writeNumber(sheetRow, 0, row + 1);
        for (auto column = columns.cbegin(); filled && column != columns.cend(); ++column) {
            const QVariant value = model->data(model->index(row, column->modelColumn), Qt::DisplayRole);
            filled = column->number ? writeNumberCell(sheet, sheetRow, column->sheetColumn, value)
                                    : writeTextCell(sheet, sheetRow, column->sheetColumn, valueText(value).trimmed());
        }
    }
    // The totals row: entry k under export column k.
    for (int k = 0; filled && k < footer.size(); ++k)
        filled = writeTextCell(sheet, sheetRow, k + shift, footer.at(k).FieldName);
    if (!filled)
        ShowWarning(FillFailedMessage);

    if (!sheet.close()) {
        if (filled)
            ShowWarning(NoExcelMessage);
        return false;
    }
    m_fileName = fileName;
    if (!OpenWorkbook || !OpenWorkbook(fileName)) {
        if (filled)
            ShowWarning(NoExcelMessage);
        return false;
    }
    return filled;
}
