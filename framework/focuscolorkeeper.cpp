#include "focuscolorkeeper.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>

FocusColorKeeper::FocusColorKeeper(QWidget *control)
    : QObject(control), m_control(control), m_normalColor(control->palette().color(QPalette::Base))
{
    control->installEventFilter(this);
}

void FocusColorKeeper::setColorOnFocus(const QColor &color)
{
    m_colorOnFocus = color;
    if (m_focused && m_enabled)
        paint(color);
}

void FocusColorKeeper::setFocusColorChange(bool enabled)
{
    m_enabled = enabled;
    paint(m_focused && enabled ? m_colorOnFocus : m_normalColor);
}

void FocusColorKeeper::setNormalColor(const QColor &color)
{
    m_normalColor = color;
    if (!(m_focused && m_enabled))
        paint(color);
}

QColor FocusColorKeeper::currentColor() const
{
    return m_control->palette().color(QPalette::Base);
}

void FocusColorKeeper::paint(const QColor &color)
{
    QPalette palette = m_control->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    m_control->setPalette(palette);
}

bool FocusColorKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        if (event->type() == QEvent::FocusIn) {
            m_focused = true;
            if (m_enabled)
                paint(m_colorOnFocus);
        } else if (event->type() == QEvent::FocusOut) {
            m_focused = false;
            paint(m_normalColor);
        }
    }
    return QObject::eventFilter(watched, event);
}
