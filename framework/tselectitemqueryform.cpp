#include "tselectitemqueryform.h"

#include <QHBoxLayout>
#include <QPushButton>

TSelectItemQueryForm::TSelectItemQueryForm(QWidget *parent) : TSelectItemForm(parent)
{
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setAutoDefault(false);
    // Between "确定" and the closing stretch.
    buttonRow()->insertWidget(buttonRow()->count() - 1, m_close);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}
