#pragma once

#include "tfindwindowbase.h"

// The one-condition find window ("查找窗口") of TFindSimpleFormDialog: a field, a relation
// and a value; OK gives the condition, "全部数据" asks for the whole list.
class TQXFindSimpleForm final : public TFindWindowBase
{
    Q_OBJECT

public:
    explicit TQXFindSimpleForm(QWidget *parent = nullptr);

    QString condition() const { return m_condition; }

    void ButtonOKClick() override;
    void AllDataClick() override;

private:
    QString m_condition;
};
