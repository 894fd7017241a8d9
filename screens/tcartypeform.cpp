#include "tcartypeform.h"

#include "treetable.h"

TCarTypeForm::TCarTypeForm(QWidget *owner) : TCategoryForm(Setup(), owner) {}

TCategorySetup TCarTypeForm::Setup()
{
    return TCategorySetup{
        .table = &TreeTable::CarType(),
        .objectName = QStringLiteral("CarTypeForm"),
        .windowCaption = QStringLiteral("车辆类别资料录入编辑窗口"),
        .programName = QStringLiteral("车辆类别资料录入编辑"),
        .orderCaption = QStringLiteral("序号"),
        .idPrefix = QString(),
        .usageChecks = {{QStringLiteral("SELECT COUNT(CAR_TYPE_ID) FROM QX_CAR_TABLE WHERE CAR_TYPE_ID ='"),
                         QStringLiteral("有该车辆类别的车辆资料，该车辆类别不能删除")}},
        .print = TCategoryPrint::Layout::Categories(TreeTable::CarType(), QStringLiteral("车辆类别资料")),
    };
}
