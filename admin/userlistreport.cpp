#include "userlistreport.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "printmargins.h"
#include "tprevform.h"
#include "tqxexcel.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"
#include "tqxreport.h"
#include "tqxreportband.h"
#include "tqxreportcolumns.h"

#include <QAction>
#include <QPointer>

namespace {

// The traditional-Chinese font is the Ming face at 11 points.
QFont reportFont(bool title)
{
    if (App().Language == QStringLiteral("GB"))
        return CjkFont(QStringLiteral("宋体"), title ? 16 : 10, title);
    return CjkFont(QStringLiteral("新細明體"), title ? 16 : 11, title);
}

void appendPageWord(TQXReportItem *item)
{
    item->OnPrint = [](QString &text, QFont &) { text += QStringLiteral("页"); };
}

} // namespace

void PrintUserList(TQXQuery &users, QWidget *screen)
{
    TQXQueryModel model(&users);
    TQXReport report(QStringLiteral("RepUser"));
    report.setTitle(QStringLiteral("用户列表"));
    report.setDataSet(&model);
    ApplyStoredMargins(report);

    const qreal width = report.bandArea().width();
    TQXReportItem *title = report.pageHeader().addLabel(QRectF(0, 0, width, 10), QStringLiteral("用户列表"),
                                                       Qt::AlignCenter);
    title->font = reportFont(true);
    const QList<TQXReportColumn> columns{
        {QStringLiteral("USE_ID"), QStringLiteral("用户编号"), 8},
        {QStringLiteral("USE_NAME"), QStringLiteral("用户姓名"), 12},
        {QStringLiteral("STOP_RIGHT"), QStringLiteral("用户状态"), 8},
        {QStringLiteral("NOTE"), QStringLiteral("备注"), 24},
        {QStringLiteral("CREATE_DATE"), QStringLiteral("注册日期"), 10},
    };
    const TQXColumnTable table = LayOutColumns(report, columns, 14, 8, 7);
    for (TQXReportItem *item : table.headings)
        item->font = reportFont(false);
    for (TQXReportItem *item : table.cells)
        item->font = reportFont(false);

    TQXReportBand &footer = report.pageFooter();
    footer.height = 8;
    const qreal third = width / 3;
    TQXReportItem *total = footer.addSystemData(QRectF(0, 1, third, 6), TQXReportItem::SystemKind::PageCount,
                                                QStringLiteral("共:"));
    appendPageWord(total);
    TQXReportItem *page = footer.addSystemData(QRectF(third, 1, third, 6), TQXReportItem::SystemKind::PageNumber,
                                               QStringLiteral("第:"), Qt::AlignCenter);
    appendPageWord(page);
    TQXReportItem *date = footer.addSystemData(QRectF(2 * third, 1, third, 6), TQXReportItem::SystemKind::Date,
                                               QStringLiteral("打印日期:"), Qt::AlignRight | Qt::AlignVCenter);
    for (TQXReportItem *item : {total, page, date})
        item->font = reportFont(false);

    report.OnPreview = [screen, &model](TQXReport &previewed) {
        auto *window = new TPrevForm(screen);
        window->QXExcel->DataSet = &model;
        window->QXExcel->ReportName = previewed.title();
        window->exportAction()->setVisible(true);
        window->ExcelFields = {{QStringLiteral("USE_ID"), QStringLiteral("C"), QStringLiteral("用户编号")},
                               {QStringLiteral("USE_NAME"), QStringLiteral("C"), QStringLiteral("用户姓名")},
                               {QStringLiteral("STOP_RIGHT"), QStringLiteral("C"), QStringLiteral("用户状态")},
                               {QStringLiteral("NOTE"), QStringLiteral("C"), QStringLiteral("备注")},
                               {QStringLiteral("CREATE_DATE"), QStringLiteral("D"), QStringLiteral("建档日期")}};
        window->LoadPrintSettings(&previewed, 20, 20);
        window->attachReport(&previewed);
        window->show();
    };
    report.prepare();
    report.preview();
}
