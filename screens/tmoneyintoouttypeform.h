#pragma once

#include "tcategoryform.h"

// The account categories (QX_MONEY_INTO_OUT_TYPE_TABLE); a category's account names
// (QX_MONEY_NAME_TABLE) are deleted with it.
class TMoneyIntoOutTypeForm final : public TCategoryForm
{
    Q_OBJECT

public:
    explicit TMoneyIntoOutTypeForm(QWidget *owner = nullptr);

    static TCategorySetup Setup();
};
