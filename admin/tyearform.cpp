#include "tyearform.h"

#include "cjkfont.h"
#include "messageservice.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TYearForm::TYearForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("删除年份输入窗口"));
    setFont(CjkFont(QStringLiteral("宋体"), 9));
    m_year = new QLineEdit(this);
    m_year->setMaxLength(4);
    m_year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_year));
    m_year->installEventFilter(this);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("删除年份"), m_year);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TYearForm::ButtonOKClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TYearForm::yearText() const
{
    return m_year->text().trimmed();
}

// Enter in the box moves on to "确定" instead of confirming at once.
bool TYearForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_year && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TYearForm::ButtonOKClick()
{
    const QString text = yearText();
    if (text.isEmpty()) {
        ShowWarningFor(this, QStringLiteral("必须输入删除数据的年份"));
        m_year->setFocus();
        return;
    }
    if (text.size() != 4) {
        ShowWarningFor(this, QStringLiteral("错误的年份,正确的年份如2000年是:\"2000\""));
        m_year->setFocus();
        return;
    }
    accept();
}
