// Spreadsheet export of 100 000 work-task rows: the framework's TQXExcel (model reading,
// checks, text/number cells) against the same cells written with libxlsxwriter directly.
// Usage: bench_export [directory to keep the exported workbook in]
#include "tqxexcel.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr int Rows = 100000;

const QStringList Fields{QStringLiteral("WORK_ID"), QStringLiteral("CAR_ID"), QStringLiteral("STATUS"),
                         QStringLiteral("WORK_SDATE_TIME"), QStringLiteral("WORK_CONTENT"), QStringLiteral("WORK_PLACE"),
                         QStringLiteral("WORK_RELATION_PHONE"), QStringLiteral("WORK_NUMBER"), QStringLiteral("WORK_MONEY"),
                         QStringLiteral("WORK_OWE_MONEY")};
constexpr int NumberColumns = 3;  // the last three

// A loaded query: every value in memory, read through the model interface.
class RowsModel final : public QAbstractTableModel
{
public:
    RowsModel()
    {
        m_values.reserve(std::size_t(Rows) * Fields.size());
        for (int row = 0; row < Rows; ++row) {
            m_values.emplace_back(QStringLiteral("%1").arg(row + 1, 8, 10, QLatin1Char('0')));
            m_values.emplace_back(QStringLiteral("苏A%1").arg(10000 + row % 90000));
            m_values.emplace_back(row % 3 ? QStringLiteral("已完工") : QStringLiteral("未完工"));
            m_values.emplace_back(QStringLiteral("2024-05-%1 08:30").arg(row % 28 + 1, 2, 10, QLatin1Char('0')));
            m_values.emplace_back(QStringLiteral("运送砂石到江宁工地"));
            m_values.emplace_back(QStringLiteral("南京市江宁区将军大道"));
            m_values.emplace_back(QStringLiteral("025-5212%1").arg(row % 10000, 4, 10, QLatin1Char('0')));
            m_values.emplace_back(double(row % 7 + 1));
            m_values.emplace_back(120.5 * (row % 7 + 1));
            m_values.emplace_back(row % 2 ? 0.0 : 60.25);
        }
    }
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : Rows; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(Fields.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return m_values[std::size_t(index.row()) * Fields.size() + std::size_t(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        return orientation == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(Fields.value(section)) : QVariant();
    }

private:
    std::vector<QVariant> m_values;
};

// The same sheet written straight from the values, strings converted beforehand.
double directRowsPerSecond(const QString &fileName, const RowsModel &model)
{
    std::vector<QByteArray> texts;
    std::vector<double> numbers;
    const int textColumns = int(Fields.size()) - NumberColumns;
    texts.reserve(std::size_t(Rows) * textColumns);
    numbers.reserve(std::size_t(Rows) * NumberColumns);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Fields.size(); ++column) {
            const QVariant value = model.data(model.index(row, column), Qt::DisplayRole);
            if (column < textColumns)
                texts.push_back(value.toString().toUtf8());
            else
                numbers.push_back(value.toDouble());
        }
    }
    QElapsedTimer timer;
    timer.start();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(fileName).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "bench");
    lxw_format *text = workbook_add_format(book);
    format_set_num_format(text, "@");
    for (int column = 0; column < Fields.size(); ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column + 1), Fields.at(column).toUtf8().constData(), text);
    for (int row = 0; row < Rows; ++row) {
        const lxw_row_t sheetRow = lxw_row_t(row + 1);
        worksheet_write_number(sheet, sheetRow, 0, row + 1, nullptr);
        for (int column = 0; column < textColumns; ++column)
            worksheet_write_string(sheet, sheetRow, lxw_col_t(column + 1),
                                   texts[std::size_t(row) * textColumns + std::size_t(column)].constData(), text);
        for (int column = 0; column < NumberColumns; ++column)
            worksheet_write_number(sheet, sheetRow, lxw_col_t(textColumns + column + 1),
                                   numbers[std::size_t(row) * NumberColumns + std::size_t(column)], nullptr);
    }
    if (workbook_close(book) != LXW_NO_ERROR)
        return 0;
    return Rows / (timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString keep = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    RowsModel model;

    TQXExcel excel;
    excel.OutputDirectory = keep.isEmpty() ? dir.path() : keep;
    excel.OpenWorkbook = [](const QString &) { return true; };
    excel.DataSet = &model;
    excel.ReportName = QStringLiteral("车辆工作任务资料");
    excel.ID = true;
    TExcelFieldArray fields;
    for (int column = 0; column < Fields.size(); ++column) {
        const bool number = column >= Fields.size() - NumberColumns;
        fields.append({Fields.at(column), number ? QStringLiteral("N") : QString(), Fields.at(column)});
    }
    const TExcelFieldArray footer{{}, {}, {}, {}, {}, {}, {}, {QStringLiteral("400,000")}, {QStringLiteral("48,200,000")},
                                  {QStringLiteral("￥3,012,500.00")}};

    QElapsedTimer timer;
    timer.start();
    if (!excel.ExportData(fields, footer)) {
        std::fprintf(stderr, "export failed\n");
        return 1;
    }
    const double ours = Rows / (timer.nsecsElapsed() / 1e9);
    const double direct = directRowsPerSecond(dir.filePath(QStringLiteral("direct.xlsx")), model);
    std::printf("bench export_xlsx_100k %.0f rows/s ratio %.2f vs libxlsxwriter_direct\n", ours, direct > 0 ? ours / direct : 0.0);
    if (!keep.isEmpty())
        std::printf("workbook %s\n", qPrintable(excel.fileName()));
    return 0;
}
