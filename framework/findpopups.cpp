#include "findpopups.h"

#include "descendantcondition.h"
#include "findcondition.h"
#include "messageservice.h"
#include "querycommand.h"
#include "tqxdataset.h"
#include "tqxquery.h"
#include "tselectcategoryform.h"
#include "tselectdeptform.h"
#include "tselectemployeeform.h"
#include "tselectform.h"
#include "treetable.h"

bool RunPicker(QDialog &picker)
{
    picker.raise();
    picker.activateWindow();
    return picker.exec() == QDialog::Accepted;
}

bool PickEmployeeForFind(TSelectEmployeeForm &picker, QString &display, QString &result)
{
    if (!RunPicker(picker))
        return false;
    const TQXField *name = picker.listQuery()->findField(QStringLiteral("EMPLOYEE_NAME"));
    display = name ? name->asText() : QString();
    result = display;
    return true;
}

bool PickCarTypeForFind(TSelectCategoryForm &picker, QString &display, QString &result)
{
    if (!RunPicker(picker))
        return false;
    display = picker.SelectedName;
    result = picker.SelectedId;
    return true;
}

namespace {

bool pickSubtree(TSelectCategoryForm &picker, const TreeTable &table, const QString &alias, QString &display,
                 QString &result)
{
    if (!RunPicker(picker))
        return false;
    QString condition;
    if (!RunQueryCommand(&picker, [&] { condition = DescendantCondition::Subtree(table, picker.SelectedId, alias); }))
        return false;
    display = picker.SelectedName;
    result = condition;
    return true;
}

} // namespace

bool PickWorkTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result)
{
    return pickSubtree(picker, TreeTable::WorkType(), alias, display, result);
}

bool PickRepairTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result)
{
    return pickSubtree(picker, TreeTable::RepairType(), alias, display, result);
}

bool PickMoneyTypeForFind(TSelectCategoryForm &picker, const QString &alias, QString &display, QString &result)
{
    return pickSubtree(picker, TreeTable::MoneyType(), alias, display, result);
}

bool PickDeptForFind(TSelectDeptForm &picker, const QString &alias, QString &display, QString &result)
{
    if (!RunPicker(picker))
        return false;
    QString condition;
    if (!RunQueryCommand(&picker, [&] { condition = DescendantCondition::Subtree(TreeTable::Dept(), picker.SelectedId, alias); }))
        return false;
    display = picker.SelectedName;
    result = condition;
    return true;
}

const QList<FindLookupList> &FindLookupLists()
{
    static const QList<FindLookupList> lists{
        {QStringLiteral("QX_EMPLOYEE_POST_TABLE"), QStringLiteral("EMPLOYEE_POST"), QStringLiteral("员工职务"),
         QStringLiteral("职务资料数据库中找不到符合查找条件的职务名称")},
        {QStringLiteral("QX_EMPLOYEE_MARRIAGE_TABLE"), QStringLiteral("EMPLOYEE_MARRIAGE"), QStringLiteral("婚姻状况"),
         QStringLiteral("婚姻状况数据库中找不到符合查找条件的婚姻状况")},
        {QStringLiteral("QX_EMPLOYEE_CULTURE_LEVEL_TABLE"), QStringLiteral("EMPLOYEE_CULTURE_LEVEL"), QStringLiteral("文化水平"),
         QStringLiteral("文化水平数据库中找不到符合查找条件的文化水平")},
        {QStringLiteral("QX_EMPLOYEE_TECHNIC_POST_TABLE"), QStringLiteral("EMPLOYEE_TECHNIC_POST"), QStringLiteral("技术职称"),
         QStringLiteral("技术职称数据库中找不到符合查找条件的技术职称")},
        {QStringLiteral("QX_CAR_AWAKE_NAME_TABLE"), QStringLiteral("AWAKE_NAME"), QStringLiteral("提醒内容"),
         QStringLiteral("提醒内容资料数据库中找不到符合查找条件的提醒内容"), true},
        {QStringLiteral("QX_CAR_AWAKE_RESULT_TABLE"), QStringLiteral("AWAKE_RESULT"), QStringLiteral("处理结果"),
         QStringLiteral("处理结果资料数据库中找不到符合查找条件的处理结果"), true},
        {QStringLiteral("QX_CAR_REPAIR_PART_TABLE"), QStringLiteral("CAR_REPAIR_PART"), QStringLiteral("维修部位"),
         QStringLiteral("维修部位数据库中找不到符合查找条件的维修部位")},
        {QStringLiteral("QX_CAR_REPAIR_PLACE_TABLE"), QStringLiteral("CAR_REPAIR_PLACE"), QStringLiteral("维修地点"),
         QStringLiteral("维修地点数据库中找不到符合查找条件的维修地点")},
        {QStringLiteral("QX_WORK_PLACE_TABLE"), QStringLiteral("WORK_PLACE"), QStringLiteral("工作地点"),
         QStringLiteral("工作地点数据库中找不到符合查找条件的工作地点")},
        {QStringLiteral("QX_WORK_COMPANY_TABLE"), QStringLiteral("WORK_COMPANY"), QStringLiteral("工作单位"),
         QStringLiteral("工作单位数据库中找不到符合查找条件的工作单位"), true},
        {QStringLiteral("QX_CAR_STATUS_TABLE"), QStringLiteral("CAR_STATUS"), QStringLiteral("车辆状态"),
         QStringLiteral("车辆状态数据库中找不到符合查找条件的车辆状态")},
        {QStringLiteral("QX_EMPLOYEE_DRIVER_TYPE_TABLE"), QStringLiteral("EMPLOYEE_DRIVER_TYPE"), QStringLiteral("准驾车型"),
         QStringLiteral("准驾车型数据库中找不到符合查找条件的准驾车型")},
        {QStringLiteral("QX_MONEY_NAME_TABLE"), QStringLiteral("MONEY_NAME"), QStringLiteral("帐款名称"),
         QStringLiteral("帐款名称数据库中找不到符合查找条件的帐款名称资料")},
        {QStringLiteral("QX_EMPLOYEE_BANK_TABLE"), QStringLiteral("EMPLOYEE_BANK"), QStringLiteral("开户银行"),
         QStringLiteral("开户银行数据库中找不到符合查找条件的开户银行")},
    };
    return lists;
}

const FindLookupList *FindLookupListOf(const QString &table)
{
    for (const FindLookupList &list : FindLookupLists()) {
        if (list.table.compare(table.trimmed(), Qt::CaseInsensitive) == 0)
            return &list;
    }
    return nullptr;
}

QString FindLookupSql(const FindLookupList &list, const QString &text)
{
    return QStringLiteral("SELECT ") + list.column + QStringLiteral(" FROM ") + list.table + QStringLiteral(" WHERE ")
        + list.column + QLatin1Char(' ') + LikeContains(text)
        + (list.sorted ? QStringLiteral(" ORDER BY ") + list.column : QString());
}

bool PickListForFind(const QString &table, QString &boxText, QString &result, QWidget *parent)
{
    const FindLookupList *list = FindLookupListOf(table);
    if (!list)
        return false;
    TQXDataset values;
    if (!RunQueryCommand(parent, [&] {
            values.setSql(FindLookupSql(*list, boxText));
            values.open();
        }))
        return false;
    if (values.isEmpty()) {
        ShowWarning(list->message);
        return false;
    }
    values.field(0).setDisplayLabel(list->caption);
    TSelectForm window(&values, parent);
    if (window.exec() != QDialog::Accepted)
        return false;
    boxText = values.field(0).asText();
    result = QStringLiteral("G");
    return true;
}
