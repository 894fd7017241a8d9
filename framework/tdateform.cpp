#include "tdateform.h"

#include "uihelpers.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QPushButton *stepButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setFixedWidth(36);
    return button;
}

} // namespace

TDateForm::TDateForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("日期选择窗口"));

    auto *previousYear = stepButton(QStringLiteral("<<"), this);
    auto *previousMonth = stepButton(QStringLiteral("<"), this);
    auto *nextMonth = stepButton(QStringLiteral(">"), this);
    auto *nextYear = stepButton(QStringLiteral(">>"), this);

    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    QPalette white = m_calendar->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    m_calendar->setPalette(white);
    m_calendar->setAutoFillBackground(true);

    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_ok->setDefault(true);
    m_close = new QPushButton(QStringLiteral("关闭[F4]"), this);
    m_close->setAutoDefault(false);

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(previousYear);
    titleRow->addWidget(previousMonth);
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(nextMonth);
    titleRow->addWidget(nextYear);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_ok);
    buttonRow->addWidget(m_close);
    buttonRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addWidget(m_calendar);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_okKey = new QShortcut(QKeySequence(Qt::Key_F3), this);
    m_closeKey = new QShortcut(QKeySequence(Qt::Key_F4), this);

    connect(previousYear, &QPushButton::clicked, this, [this] { step(-12); });
    connect(previousMonth, &QPushButton::clicked, this, [this] { step(-1); });
    connect(nextMonth, &QPushButton::clicked, this, [this] { step(1); });
    connect(nextYear, &QPushButton::clicked, this, [this] { step(12); });
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TDateForm::updateTitle);
    // Double click (and Enter) on a day confirms it.
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_okKey, &QShortcut::activated, m_ok, &QPushButton::click);
    connect(m_closeKey, &QShortcut::activated, m_close, &QPushButton::click);

    updateTitle();
}

QDate TDateForm::selectedDate() const
{
    return m_calendar->selectedDate();
}

void TDateForm::setSelectedDate(const QDate &date)
{
    if (date.isValid())
        m_calendar->setSelectedDate(date);
}

QString TDateForm::titleText() const
{
    return m_title->text();
}

void TDateForm::setOkButton(const QString &text, const QKeySequence &key)
{
    m_ok->setText(text);
    m_okKey->setKey(key);
}

void TDateForm::setCloseButton(const QString &text, const QKeySequence &key)
{
    m_close->setText(text);
    m_closeKey->setKey(key);
}

void TDateForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
}

void TDateForm::step(int months)
{
    // The steps move the selected date, so the title line follows them.
    m_calendar->setSelectedDate(m_calendar->selectedDate().addMonths(months));
}

void TDateForm::updateTitle()
{
    m_title->setText(m_calendar->selectedDate().toString(QStringLiteral("yyyy-MM-dd")));
}
