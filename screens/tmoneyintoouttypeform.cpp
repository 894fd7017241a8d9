#include "tmoneyintoouttypeform.h"

#include "treetable.h"

TMoneyIntoOutTypeForm::TMoneyIntoOutTypeForm(QWidget *owner) : TCategoryForm(Setup(), owner) {}

TCategorySetup TMoneyIntoOutTypeForm::Setup()
{
    return TCategorySetup{
        .table = &TreeTable::MoneyType(),
        .objectName = QStringLiteral("MoneyIntoOutTypeForm"),
        .windowCaption = QStringLiteral("单位帐款类别资料录入编辑窗口"),
        .programName = QStringLiteral("单位帐款类别录入编辑"),
        .orderCaption = QStringLiteral("纪录编号"),
        .idPrefix = QStringLiteral("A"),
        .usageChecks = {{QStringLiteral("SELECT COUNT(MONEY_TYPE_ID) FROM QX_INTO_OUT_MONEY_TABLE WHERE MONEY_TYPE_ID ='"),
                         QStringLiteral("有该帐款类别的收支记录，该帐款类别不能删除")}},
        .detailTable = QStringLiteral("QX_MONEY_NAME_TABLE"),
        .detailKey = QStringLiteral("MONEY_TYPE_ID"),
        .detailError = QStringLiteral("该帐款类别的帐款名称"),
    };
}
