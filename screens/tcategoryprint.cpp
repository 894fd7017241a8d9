#include "tcategoryprint.h"

#include "appvalues.h"
#include "chooseone.h"
#include "cjkfont.h"
#include "dbhelpers.h"
#include "messageservice.h"
#include "tprevform.h"
#include "tqxexcel.h"
#include "tqxreport.h"
#include "tqxreportcolumns.h"
#include "treetable.h"

#include <QAction>
#include <QStandardItemModel>

namespace {

// Blanks after "i." so that outline numbers of up to three digits line up.
QString numberFiller(int digits, int i)
{
    if (digits == 2 && i < 10)
        return QStringLiteral(" ");
    if (digits == 3 && i < 10)
        return QStringLiteral("  ");
    if (digits == 3 && i < 100)
        return QStringLiteral(" ");
    return QString();
}

} // namespace

TCategoryPrint::Layout TCategoryPrint::Layout::Categories(const TreeTable &table, const QString &title)
{
    return Layout{.title = title,
                  .nameHeading = table.word,
                  .columns = {Column{QStringLiteral("NOTE"), QStringLiteral("备注"), QStringLiteral("备注")}}};
}

TCategoryPrint::TCategoryPrint(const TreeTable &table, const Layout &layout, QWidget *owner)
    : m_table(table), m_layout(layout), m_owner(owner)
{
}

QList<TCategoryPrint::Row> TCategoryPrint::Outline(const QString &indent, bool numbering, const QString &parentId,
                                                   const QString &name, const QStringList &values) const
{
    QList<Row> rows;
    if (!name.isEmpty())
        rows.append(Row{name, values});
    outline(rows, indent, numbering, parentId);
    return rows;
}

void TCategoryPrint::outline(QList<Row> &rows, const QString &indent, bool numbering, const QString &parentId) const
{
    QString columns = m_table.idColumn + QLatin1Char(',') + m_table.nameColumn;
    for (const Column &column : m_layout.columns)
        columns += QLatin1Char(',') + column.field;
    QString id = parentId;
    const auto found = OpenSQL(MainDatabaseName, QStringLiteral("SELECT ") + columns + QStringLiteral(",ORDER_ID FROM ")
                                                     + m_table.table + QStringLiteral(" WHERE PRIOR_ID = '")
                                                     + id.replace(QLatin1Char('\''), QLatin1String("''"))
                                                     + QStringLiteral("'") + QStringLiteral(" ORDER BY ORDER_ID"));
    struct Child
    {
        QString id;
        QString name;
        QStringList values;
    };
    QList<Child> children;
    for (; !found->eof(); found->next()) {
        Child child{found->text(0), found->text(1), {}};
        for (qsizetype i = 0; i < m_layout.columns.size(); ++i)
            child.values << found->text(int(i) + 2);
        children.append(child);
    }
    const int digits = int(QString::number(children.size()).size());
    for (int i = 1; i <= children.size(); ++i) {
        const Child &child = children.at(i - 1);
        const QString label = numbering ? indent + QString::number(i) + QLatin1Char('.') + numberFiller(digits, i) : indent;
        rows.append(Row{label + child.name, child.values});
        outline(rows, indent + QStringLiteral("  "), numbering, child.id);
    }
}

void TCategoryPrint::Run(const QString &id, const QString &name, const QStringList &values, bool root)
{
    const int choice = ChooseOneQuery(QStringLiteral("打印选择窗口"), QStringLiteral("不打印序号"), QStringLiteral("打印序号"));
    if (choice == 0)
        return;
    const bool numbering = choice == 1;
    const QList<Row> rows =
        root ? Outline(QString(), numbering, id) : Outline(QStringLiteral("  "), numbering, id, name, values);
    if (!numbering && rows.isEmpty()) {
        ShowWarning(QStringLiteral("没有数据，不能打印"));
        return;
    }
    preview(rows, !numbering);
}

void TCategoryPrint::preview(const QList<Row> &rows, bool sequence)
{
    const auto orTitle = [this](const QString &text) { return text.isEmpty() ? m_layout.title : text; };
    const QString nameHeading = sequence && !m_layout.sequenceNameHeading.isEmpty() ? m_layout.sequenceNameHeading
                                                                                      : m_layout.nameHeading;
    const QString exportName = sequence ? orTitle(m_layout.sequenceExportName) : orTitle(m_layout.exportName);

    QStandardItemModel list;
    QStringList fields{m_table.nameColumn};
    for (const Column &column : m_layout.columns)
        fields << column.field;
    list.setHorizontalHeaderLabels(fields);
    for (const Row &row : rows) {
        QList<QStandardItem *> items{new QStandardItem(row.name)};
        for (qsizetype i = 0; i < m_layout.columns.size(); ++i)
            items << new QStandardItem(row.values.value(i));
        list.appendRow(items);
    }

    TQXReport report(sequence ? m_layout.sequenceReport : m_layout.report);
    report.setTitle(m_layout.title);
    report.setDataSet(&list);
    for (TQXReportBand *band : {&report.pageHeader(), &report.detail(), &report.pageFooter()})
        band->font = CjkFont(QStringLiteral("宋体"), 10);
    const qreal width = report.bandArea().width();
    report.pageHeader().height = 24;
    report.pageHeader().addSystemData(QRectF(0, 0, width, 9), TQXReportItem::SystemKind::Title)->alignment = Qt::AlignCenter;
    report.pageHeader().addLabel(QRectF(0, 9, width, 6), App().CompanyName);
    QList<TQXReportColumn> columns{{m_table.nameColumn, nameHeading, 30}};
    for (const Column &column : m_layout.columns) {
        if (!column.heading.isEmpty())
            columns.append({column.field, column.heading, column.width});
    }
    if (sequence)
        columns.prepend({QString(), QStringLiteral("序号"), 5});
    LayOutColumns(report, columns, 16, 8, 7);
    report.pageFooter().height = 10;
    TQXReportItem *total = report.pageFooter().addLabel(QRectF(0, 2, 40, 7), QString());
    report.pageFooter().addSystemData(QRectF(60, 2, 20, 7), TQXReportItem::SystemKind::PageNumber, QStringLiteral("第"));
    report.pageFooter().addLabel(QRectF(80, 2, 10, 7), QStringLiteral("页"));
    report.pageFooter().addSystemData(QRectF(width - 60, 2, 60, 7), TQXReportItem::SystemKind::Date, QStringLiteral("打印日期:"));
    report.OnStartPage = [](TQXReport &pass) { pass.setRowTarget(35); };

    const int pages = report.prepare();
    total->text = QStringLiteral("共") + QString::number(pages) + QStringLiteral("页");

    TExcelFieldArray exported{{m_table.nameColumn, QStringLiteral("C"),
                               m_layout.nameExportCaption.isEmpty() ? m_layout.nameHeading : m_layout.nameExportCaption}};
    for (const Column &column : m_layout.columns) {
        if (!column.exportCaption.isEmpty())
            exported.append({column.field, QStringLiteral("C"), column.exportCaption});
    }
    report.OnPreview = [this, &list, &exported, &exportName, sequence](TQXReport &shown) {
        auto *window = new TPrevForm(m_owner);
        window->QXExcel->DataSet = &list;
        window->QXExcel->ReportName = exportName;
        window->ExcelFields = exported;
        window->ExportID = sequence;
        window->exportAction()->setVisible(true);
        window->LoadPrintSettings(&shown, 20, 20);
        window->attachReport(&shown);
        window->show();
    };
    report.preview();
}
