#include "tsetprintform.h"

#include "dataset.h"
#include "messageservice.h"
#include "texthelpers.h"
#include "tqxedit.h"
#include "uihelpers.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

TQXEdit *marginBox(QWidget *parent, bool derived)
{
    auto *box = new TQXEdit(parent);
    box->setEditType(etInteger);
    if (derived) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, Qt::blue);
        box->setPalette(palette);
    }
    return box;
}

QString marginText(qreal value)
{
    return valueText(QVariant(double(value)));
}

// The derived box's value: the total minus what was typed (empty or non-numeric counts 0).
QString remainder(int total, const QString &typed)
{
    return QString::number(std::lround(total - ParseMoney(typed)));
}

} // namespace

TSetPrintForm::TSetPrintForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("报表边距设置窗口"));
    m_top = marginBox(this, false);
    m_bottom = marginBox(this, true);
    m_left = marginBox(this, false);
    m_right = marginBox(this, true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("上边距"), m_top);
    form->addRow(QStringLiteral("下边距"), m_bottom);
    form->addRow(QStringLiteral("左边距"), m_left);
    form->addRow(QStringLiteral("右边距"), m_right);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    // Enter moves between the boxes; it must not press a button.
    m_ok->setAutoDefault(false);
    m_close->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_top, &QLineEdit::textEdited, this, [this](const QString &text) { m_bottom->setText(remainder(VerticalTotal, text)); });
    connect(m_left, &QLineEdit::textEdited, this, [this](const QString &text) { m_right->setText(remainder(HorizontalTotal, text)); });
    connect(m_top, &QLineEdit::returnPressed, this, [this] { m_left->setFocus(); });
    connect(m_left, &QLineEdit::returnPressed, this, [this] { m_ok->setFocus(); });
    connect(m_ok, &QPushButton::clicked, this, &TSetPrintForm::ButtonOKClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetPrintForm::showEvent(QShowEvent *event)
{
    // The typed boxes take two digits; a designed margin such as 7.5 still shows whole.
    const auto show = [](TQXEdit *box, qreal margin, bool typed) {
        const QString text = marginText(margin);
        box->setMaxLength(32767);
        box->setText(text);
        if (typed)
            box->setMaxLength(qMax(2, int(text.size())));
    };
    show(m_top, TopMargin, true);
    show(m_bottom, BottomMargin, false);
    show(m_left, LeftMargin, true);
    show(m_right, RightMargin, false);
    QDialog::showEvent(event);
    CenterOnScreen(this);
    m_top->setFocus();
}

void TSetPrintForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ButtonOKClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSetPrintForm::ButtonOKClick()
{
    const auto refuse = [](TQXEdit *box, const QString &text) {
        ShowWarning(text);
        box->setFocus();
    };
    if (m_top->text().trimmed().isEmpty())
        return refuse(m_top, QStringLiteral("必须输入上边距"));
    const double top = ParseMoney(m_top->text());
    if (top <= 0)
        return refuse(m_top, QStringLiteral("上边距不能小于等于零"));
    const double bottom = ParseMoney(m_bottom->text());
    if (bottom <= 0)
        return refuse(m_top, QStringLiteral("下边距不能小于等于零"));
    if (m_left->text().trimmed().isEmpty())
        return refuse(m_left, QStringLiteral("必须输入左边距"));
    const double left = ParseMoney(m_left->text());
    if (left <= 0)
        return refuse(m_left, QStringLiteral("左边距不能小于等于零"));
    const double right = ParseMoney(m_right->text());
    if (right <= 0)
        return refuse(m_left, QStringLiteral("右边距不能小于等于零"));
    TopMargin = top;
    BottomMargin = bottom;
    LeftMargin = left;
    RightMargin = right;
    accept();
}
