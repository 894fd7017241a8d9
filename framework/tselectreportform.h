#pragma once

#include "tselectitemform.h"

// The two-option dialog ("打印选择窗口"): the first option checked, "确定" (also Esc)
// closes with OK while an option is checked and otherwise warns "必须选择一个选项".
// The caller may replace the caption and both option texts, runs it and reads
// itemIndex() (0 or 1) after OK.
class TSelectReportForm final : public TSelectItemForm
{
    Q_OBJECT

public:
    explicit TSelectReportForm(QWidget *parent = nullptr);

    void setOptionTexts(const QString &first, const QString &second);
    QString optionText(int index) const;
};
