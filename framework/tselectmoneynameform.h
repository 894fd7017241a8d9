#pragma once

#include "tselecteditbase.h"

class TQXDBGrid;

// The account-name picker ("帐款名称编辑选择窗口"): the code-list picker fixed to
// QX_MONEY_NAME_TABLE and to one account category (MoneyTypeId, set before showing).
// A name is unique within its category. On OK the caller reads MONEY_NAME of query()'s
// current row.
class TSelectMoneyNameForm final : public TSelectEditBase
{
    Q_OBJECT

public:
    explicit TSelectMoneyNameForm(QWidget *parent = nullptr);

    QString MoneyTypeId;

    TQXDBGrid *grid() const { return m_grid; }
    QString SelectedValue() const;

protected:
    void showEvent(QShowEvent *event) override;
    void fillNewRecord() override;

private:
    TQXDBGrid *m_grid = nullptr;
};
