#include "tselectreportform.h"

#include <QGroupBox>
#include <QRadioButton>

TSelectReportForm::TSelectReportForm(QWidget *parent) : TSelectItemForm(parent)
{
    setWindowTitle(QStringLiteral("打印选择窗口"));
    addOption(QStringLiteral("打印当前选中的工作凋令单"));
    addOption(QStringLiteral("打印该员工的全部工作凋令单"));
    setItemIndex(0);
}

void TSelectReportForm::setOptionTexts(const QString &first, const QString &second)
{
    const QList<QRadioButton *> options = radioGroup()->findChildren<QRadioButton *>();
    options.at(0)->setText(first);
    options.at(1)->setText(second);
}

QString TSelectReportForm::optionText(int index) const
{
    const QList<QRadioButton *> options = radioGroup()->findChildren<QRadioButton *>();
    return index >= 0 && index < options.size() ? options.at(index)->text() : QString();
}
