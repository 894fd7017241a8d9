#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// Paints a control's background in the focus colour while it has the focus and in its
// normal colour otherwise. The data source and the screen controller set both colours.
class FocusColorKeeper final : public QObject
{
    Q_OBJECT

public:
    explicit FocusColorKeeper(QWidget *control);

    QColor colorOnFocus() const { return m_colorOnFocus; }
    void setColorOnFocus(const QColor &color);
    bool focusColorChange() const { return m_enabled; }
    void setFocusColorChange(bool enabled);
    QColor normalColor() const { return m_normalColor; }
    void setNormalColor(const QColor &color);

    // The colour the control shows now.
    QColor currentColor() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paint(const QColor &color);

    QWidget *m_control;
    QColor m_colorOnFocus{0x00, 0xFF, 0xFF};
    QColor m_normalColor;
    bool m_enabled = true;
    bool m_focused = false;
};
