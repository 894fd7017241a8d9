#pragma once

#include "tselectcategoryform.h"

// The repair-category picker.
class TSelectRepairTypeForm final : public TSelectCategoryForm
{
    Q_OBJECT

public:
    explicit TSelectRepairTypeForm(QWidget *parent = nullptr)
        : TSelectCategoryForm(TreeTable::RepairType(), QStringLiteral("车辆维修类别选择窗口"), QStringLiteral("必须选择一个维修类别节点"), parent)
    {
    }
};
