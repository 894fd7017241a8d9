#include "tqxcomboedit.h"

#include <QKeyEvent>
#include <QToolButton>

TQXComboEdit::TQXComboEdit(QWidget *parent)
    : QLineEdit(parent), m_colors(new FocusColorKeeper(this)), m_guard(new TypedCharacterGuard(this, this)),
      m_button(new QToolButton(this))
{
    m_button->setText(QStringLiteral("…"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setAutoRaise(true);
    connect(m_button, &QToolButton::clicked, this, &TQXComboEdit::buttonClicked);
    layoutButton();
}

void TQXComboEdit::setButtonWidth(int width)
{
    m_buttonWidth = qMax(0, width);
    layoutButton();
}

QString TQXComboEdit::buttonCaption() const
{
    return m_button->text();
}

void TQXComboEdit::setButtonCaption(const QString &caption)
{
    m_button->setText(caption);
}

void TQXComboEdit::setButtonHint(const QString &hint)
{
    m_button->setToolTip(hint);
}

void TQXComboEdit::setButtonEnabled(bool enabled)
{
    m_buttonEnabled = enabled;
    m_button->setEnabled(enabled);
    layoutButton();
}

void TQXComboEdit::setButtonVisible(bool visible)
{
    m_buttonVisible = visible;
    layoutButton();
}

void TQXComboEdit::setDirectInput(bool direct)
{
    m_directInput = direct;
    setReadOnly(!direct);
}

bool TQXComboEdit::buttonShown() const
{
    // A disabled button of a box whose button is visible is hidden and takes no width.
    return m_buttonWidth > 0 && m_buttonVisible && m_buttonEnabled;
}

void TQXComboEdit::layoutButton()
{
    const bool shown = buttonShown();
    m_button->setVisible(shown);
    const int width = shown ? m_buttonWidth : 0;
    m_button->setGeometry(this->width() - width - 1, 1, width, height() - 2);
    setTextMargins(0, 0, shown ? width + 2 : 0, 0);
}

void TQXComboEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    layoutButton();
}

void TQXComboEdit::keyPressEvent(QKeyEvent *event)
{
    if (QKeySequence(event->keyCombination()) == m_clickKey) {
        if (m_buttonWidth > 0 && m_buttonEnabled)
            emit buttonClicked();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TQXComboEdit::mousePressEvent(QMouseEvent *event)
{
    if (isReadOnly())
        setFocus(Qt::MouseFocusReason);
    QLineEdit::mousePressEvent(event);
}
