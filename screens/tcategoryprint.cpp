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

TCategoryPrint::TCategoryPrint(const TreeTable &table, const QString &title, QWidget *owner)
    : m_table(table), m_title(title), m_owner(owner)
{
}

QList<TCategoryPrint::Row> TCategoryPrint::Outline(const QString &indent, bool numbering, const QString &parentId,
                                                   const QString &name, const QString &note) const
{
    QList<Row> rows;
    if (!name.isEmpty())
        rows.append(Row{name, note});
    outline(rows, indent, numbering, parentId);
    return rows;
}

void TCategoryPrint::outline(QList<Row> &rows, const QString &indent, bool numbering, const QString &parentId) const
{
    QString id = parentId;
    const auto found = OpenSQL(
        MainDatabaseName, QStringLiteral("SELECT ") + m_table.idColumn + QLatin1Char(',') + m_table.nameColumn
            + QStringLiteral(",NOTE,ORDER_ID FROM ") + m_table.table + QStringLiteral(" WHERE PRIOR_ID = '")
            + id.replace(QLatin1Char('\''), QLatin1String("''")) + QStringLiteral("'") + QStringLiteral(" ORDER BY ORDER_ID"));
    QList<QStringList> children;
    for (; !found->eof(); found->next())
        children.append({found->text(0), found->text(1), found->text(2)});
    const int digits = int(QString::number(children.size()).size());
    for (int i = 1; i <= children.size(); ++i) {
        const QStringList &child = children.at(i - 1);
        const QString label = numbering ? indent + QString::number(i) + QLatin1Char('.') + numberFiller(digits, i) : indent;
        rows.append(Row{label + child.value(1), child.value(2)});
        outline(rows, indent + QStringLiteral("  "), numbering, child.value(0));
    }
}

void TCategoryPrint::Run(const QString &id, const QString &name, const QString &note, bool root)
{
    const int choice = ChooseOneQuery(QStringLiteral("打印选择窗口"), QStringLiteral("不打印序号"), QStringLiteral("打印序号"));
    if (choice == 0)
        return;
    const bool numbering = choice == 1;
    const QList<Row> rows = root ? Outline(QString(), numbering, id) : Outline(QStringLiteral("  "), numbering, id, name, note);
    if (!numbering && rows.isEmpty()) {
        ShowWarning(QStringLiteral("没有数据，不能打印"));
        return;
    }
    preview(rows, !numbering);
}

void TCategoryPrint::preview(const QList<Row> &rows, bool sequence)
{
    const QString word = m_table.word;
    QStandardItemModel list;
    list.setHorizontalHeaderLabels({m_table.nameColumn, QStringLiteral("NOTE")});
    for (const Row &row : rows)
        list.appendRow({new QStandardItem(row.name), new QStandardItem(row.note)});

    TQXReport report(sequence ? QStringLiteral("RepRegionOrder") : QStringLiteral("RepRegion"));
    report.setTitle(m_title);
    report.setDataSet(&list);
    for (TQXReportBand *band : {&report.pageHeader(), &report.detail(), &report.pageFooter()})
        band->font = CjkFont(QStringLiteral("宋体"), 10);
    const qreal width = report.bandArea().width();
    report.pageHeader().height = 24;
    report.pageHeader().addSystemData(QRectF(0, 0, width, 9), TQXReportItem::SystemKind::Title)->alignment = Qt::AlignCenter;
    report.pageHeader().addLabel(QRectF(0, 9, width, 6), App().CompanyName);
    QList<TQXReportColumn> columns{{m_table.nameColumn, word, 30}, {QStringLiteral("NOTE"), QStringLiteral("备注"), 30}};
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

    report.OnPreview = [this, &list, sequence](TQXReport &shown) {
        auto *window = new TPrevForm(m_owner);
        window->QXExcel = new TQXExcel(window);
        window->QXExcel->DataSet = &list;
        window->QXExcel->ReportName = m_title;
        window->ExcelFields = {{m_table.nameColumn, QStringLiteral("C"), m_table.word},
                               {QStringLiteral("NOTE"), QStringLiteral("C"), QStringLiteral("备注")}};
        window->ExportID = sequence;
        window->LoadPrintSettings(&shown, 20, 20);
        window->attachReport(&shown);
        window->show();
    };
    report.preview();
}
