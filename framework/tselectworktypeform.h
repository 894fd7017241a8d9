#pragma once

#include "tselectcategoryform.h"

// The work-task-category picker.
class TSelectWorkTypeForm final : public TSelectCategoryForm
{
    Q_OBJECT

public:
    explicit TSelectWorkTypeForm(QWidget *parent = nullptr)
        : TSelectCategoryForm(TreeTable::WorkType(), QStringLiteral("车辆工作任务类别选择窗口"), QStringLiteral("必须选择一个工作类别节点"), parent)
    {
    }
};
