#pragma once

#include "tcategoryform.h"

// The work-task categories (QX_WORK_TYPE_TABLE).
class TCarWorkTypeForm final : public TCategoryForm
{
    Q_OBJECT

public:
    explicit TCarWorkTypeForm(QWidget *owner = nullptr);

    static TCategorySetup Setup();
};
