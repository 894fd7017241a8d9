#pragma once

#include "tcategoryform.h"

// The vehicle categories (QX_CAR_TYPE_TABLE), with the printed category list.
class TCarTypeForm final : public TCategoryForm
{
    Q_OBJECT

public:
    explicit TCarTypeForm(QWidget *owner = nullptr);

    static TCategorySetup Setup();
};
