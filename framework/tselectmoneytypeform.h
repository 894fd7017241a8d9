#pragma once

#include "tselectcategoryform.h"

// The account-category picker.
class TSelectMoneyTypeForm final : public TSelectCategoryForm
{
    Q_OBJECT

public:
    explicit TSelectMoneyTypeForm(QWidget *parent = nullptr)
        : TSelectCategoryForm(TreeTable::MoneyType(), QStringLiteral("资金帐款类别选择窗口"), QStringLiteral("必须选择一个帐款类别节点"), parent)
    {
    }
};
