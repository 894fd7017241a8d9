#include "employeelistreport.h"

#include "cjkfont.h"
#include "dbhelpers.h"
#include "printmargins.h"
#include "sqldialect.h"
#include "tprevform.h"
#include "tqxexcel.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"
#include "tqxreport.h"
#include "tqxreportcolumns.h"

#include <QAction>
#include <QSet>

namespace {

const QString ReportTitle = QStringLiteral("单位员工资料列表");
constexpr int RowTarget = 35;

QString pathOf(const QString &id, QSet<QString> &visited)
{
    if (visited.contains(id))
        return QString();
    visited.insert(id);
    QString name;
    QString parent;
    {
        const auto row = OpenSQL(MainDatabaseName,
                                 QStringLiteral("SELECT COMPANY_NAME,PRIOR_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = ")
                                     + sqlText(id));
        if (row->eof())
            return QString();
        name = row->text(0);
        parent = row->text(1);
    }
    const QString parentPath = pathOf(parent, visited);
    return parentPath.isEmpty() ? name : parentPath + QStringLiteral("--") + name;
}

} // namespace

QString DepartmentPath(const QString &id)
{
    QSet<QString> visited;
    return pathOf(id, visited);
}

const TExcelFieldArray &EmployeeExportFields()
{
    static const TExcelFieldArray fields{
        {QStringLiteral("COMPANY_NAME"), QStringLiteral("C"), QStringLiteral("部门名称")},
        {QStringLiteral("EMPLOYEE_ID"), QStringLiteral("C"), QStringLiteral("员工编号")},
        {QStringLiteral("EMPLOYEE_NAME"), QStringLiteral("C"), QStringLiteral("员工姓名")},
        {QStringLiteral("EMPLOYEE_SEX"), QStringLiteral("C"), QStringLiteral("员工性别")},
        {QStringLiteral("EMPLOYEE_BIRTHDAY"), QStringLiteral("D"), QStringLiteral("出生日期")},
        {QStringLiteral("EMPLOYEE_CARD"), QStringLiteral("C"), QStringLiteral("身份证")},
        {QStringLiteral("EMPLOYEE_POST"), QStringLiteral("C"), QStringLiteral("员工职务")},
        {QStringLiteral("EMPLOYEE_MARRIAGE"), QStringLiteral("C"), QStringLiteral("婚姻状况")},
        {QStringLiteral("EMPLOYEE_CULTURE_LEVEL"), QStringLiteral("C"), QStringLiteral("文化水平")},
        {QStringLiteral("EMPLOYEE_TECHNIC_POST"), QStringLiteral("C"), QStringLiteral("技术职称")},
        {QStringLiteral("EMPLOYEE_HANDSET"), QStringLiteral("C"), QStringLiteral("员工手机")},
        {QStringLiteral("EMPLOYEE_WORK_PHONE"), QStringLiteral("C"), QStringLiteral("办公电话")},
        {QStringLiteral("EMPLOYEE_FAMILY_PHONE"), QStringLiteral("C"), QStringLiteral("家庭电话")},
        {QStringLiteral("EMPLOYEE_FAMILY_ADDRESS"), QStringLiteral("C"), QStringLiteral("家庭地址")},
        {QStringLiteral("EMPLOYEE_STIPEND"), QStringLiteral("C"), QStringLiteral("基本工资")},
        {QStringLiteral("EMPLOYEE_BANK"), QStringLiteral("C"), QStringLiteral("开户银行")},
        {QStringLiteral("EMPLOYEE_ACCOUNT_NUMBER"), QStringLiteral("C"), QStringLiteral("银行帐号")},
        {QStringLiteral("EMPLOYEE_DRIVER_ID"), QStringLiteral("C"), QStringLiteral("驾驶证号")},
        {QStringLiteral("EMPLOYEE_DRIVER_DATE"), QStringLiteral("D"), QStringLiteral("领证日期")},
        {QStringLiteral("EMPLOYEE_DRIVER_LIMIT"), QStringLiteral("C"), QStringLiteral("证件期限")},
        {QStringLiteral("EMPLOYEE_DRIVER_TYPE"), QStringLiteral("C"), QStringLiteral("准驾车型")},
        {QStringLiteral("EMPLOYEE_DRIVER_CIRCS"), QStringLiteral("C"), QStringLiteral("年检情况")},
        {QStringLiteral("NOTE"), QStringLiteral("C"), QStringLiteral("备注")},
    };
    return fields;
}

void PrintEmployeeList(TQXQuery &employees, const QString &caption, QWidget *screen)
{
    TQXQueryModel model(&employees);
    TQXReport report(QStringLiteral("RepOperation"));
    report.setTitle(ReportTitle);
    report.setDataSet(&model);
    ApplyStoredMargins(report);
    for (TQXReportBand *band : {&report.pageHeader(), &report.detail(), &report.pageFooter()})
        band->font = CjkFont(QStringLiteral("宋体"), 10);

    const qreal width = report.bandArea().width();
    TQXReportBand &header = report.pageHeader();
    TQXReportItem *title = header.addSystemData(QRectF(0, 0, width, 10), TQXReportItem::SystemKind::Title);
    title->alignment = Qt::AlignCenter;
    title->font = CjkFont(QStringLiteral("宋体"), 16, true);
    header.addLabel(QRectF(0, 10, width, 6), caption);
    LayOutColumns(report,
                  {{QStringLiteral("EMPLOYEE_ID"), QStringLiteral("编号"), 10},
                   {QStringLiteral("EMPLOYEE_NAME"), QStringLiteral("员工姓名"), 10},
                   {QStringLiteral("COMPANY_NAME"), QStringLiteral("任职部门"), 16},
                   {QStringLiteral("EMPLOYEE_POST"), QStringLiteral("职务"), 10},
                   {QStringLiteral("EMPLOYEE_WORK_PHONE"), QStringLiteral("办公电话"), 12},
                   {QStringLiteral("EMPLOYEE_HANDSET"), QStringLiteral("手机"), 12},
                   {QStringLiteral("EMPLOYEE_FAMILY_PHONE"), QStringLiteral("家庭电话"), 12}},
                  17, 8, 7);

    TQXReportBand &footer = report.pageFooter();
    footer.height = 10;
    TQXReportItem *total = footer.addLabel(QRectF(0, 2, 40, 7), QString());
    footer.addSystemData(QRectF(width / 2 - 20, 2, 30, 7), TQXReportItem::SystemKind::PageNumber, QStringLiteral("第"));
    footer.addLabel(QRectF(width / 2 + 10, 2, 10, 7), QStringLiteral("页"));
    footer.addSystemData(QRectF(width - 60, 2, 60, 7), TQXReportItem::SystemKind::Date, QStringLiteral("打印日期:"),
                         Qt::AlignRight | Qt::AlignVCenter);
    report.OnStartPage = [](TQXReport &pass) { pass.setRowTarget(RowTarget); };

    const int pages = report.prepare();
    total->text = QStringLiteral("共") + QString::number(pages) + QStringLiteral("页");

    report.OnPreview = [screen, &model](TQXReport &shown) {
        auto *window = new TPrevForm(screen);
        window->QXExcel = new TQXExcel(window);
        window->QXExcel->DataSet = &model;
        window->QXExcel->ReportName = shown.title();
        window->ExcelFields = EmployeeExportFields();
        window->ExportID = true;
        window->exportAction()->setVisible(true);
        window->LoadPrintSettings(&shown, 20, 20);
        window->attachReport(&shown);
        window->show();
    };
    report.preview();
}
