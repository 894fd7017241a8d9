#pragma once

#include "tcategoryform.h"

// The repair categories (QX_REPAIR_TYPE_TABLE), with the printed category list.
class TRepairTypeForm final : public TCategoryForm
{
    Q_OBJECT

public:
    explicit TRepairTypeForm(QWidget *owner = nullptr);

    static TCategorySetup Setup();
};
