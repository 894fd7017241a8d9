#include "trepairtypeform.h"

#include "treetable.h"

TRepairTypeForm::TRepairTypeForm(QWidget *owner) : TCategoryForm(Setup(), owner) {}

TCategorySetup TRepairTypeForm::Setup()
{
    return TCategorySetup{
        .table = &TreeTable::RepairType(),
        .objectName = QStringLiteral("RepairTypeForm"),
        .windowCaption = QStringLiteral("车辆维修类别资料录入编辑窗口"),
        .programName = QStringLiteral("车辆维修类别资料录入编辑"),
        .orderCaption = QStringLiteral("序号"),
        .idPrefix = QString(),
        .usageChecks = {{QStringLiteral("SELECT COUNT(REPAIR_TYPE_ID) FROM QX_CAR_REPAIR_TABLE WHERE REPAIR_TYPE_ID ='"),
                         QStringLiteral("有该维修类别的车辆维修记录，该维修类别不能删除")}},
        .print = TCategoryPrint::Layout::Categories(TreeTable::RepairType(), QStringLiteral("维修类别资料")),
    };
}
