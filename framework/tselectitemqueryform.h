#pragma once

#include "tselectitemform.h"

// The option dialog with "确定" and "关闭"; "关闭" cancels, leaving choice() at 0. It stays
// above the window it belongs to.
class TSelectItemQueryForm final : public TSelectItemForm
{
    Q_OBJECT

public:
    explicit TSelectItemQueryForm(QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_close; }

private:
    QPushButton *m_close = nullptr;
};
