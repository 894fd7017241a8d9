#include "tcarworktypeform.h"

#include "treetable.h"

TCarWorkTypeForm::TCarWorkTypeForm(QWidget *owner) : TCategoryForm(Setup(), owner) {}

TCategorySetup TCarWorkTypeForm::Setup()
{
    return TCategorySetup{
        .table = &TreeTable::WorkType(),
        .objectName = QStringLiteral("CarWorkTypeForm"),
        .windowCaption = QStringLiteral("车辆工作任务类别录入编辑窗口"),
        .programName = QStringLiteral("车辆工作任务类别录入编辑"),
        .orderCaption = QStringLiteral("纪录编号"),
        .idPrefix = QStringLiteral("A"),
        .usageChecks = {{QStringLiteral("SELECT COUNT(WORK_TYPE_ID) FROM QX_CAR_WORK_TABLE WHERE WORK_TYPE_ID ='"),
                         QStringLiteral("有该工作类别的车辆工作记录，该工作类别不能删除")}},
    };
}
