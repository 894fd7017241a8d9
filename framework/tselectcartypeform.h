#pragma once

#include "tselectcategoryform.h"

// The vehicle-category picker.
class TSelectCarTypeForm final : public TSelectCategoryForm
{
    Q_OBJECT

public:
    explicit TSelectCarTypeForm(QWidget *parent = nullptr)
        : TSelectCategoryForm(TreeTable::CarType(), QStringLiteral("车辆类别选择窗口"), QStringLiteral("必须选择一个车辆类别节点"), parent)
    {
    }
};
