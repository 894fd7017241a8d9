#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The big panel of the main window: its colour, covered by the background picture when
// there is one (scaled to fill the panel, centred). Its object name is "BackgroundPanel",
// not "MainPanel": the frame hides a panel of that name for good once a screen shows,
// and the background must come back when the screens are closed.
class MainPanel final : public QWidget
{
    Q_OBJECT

public:
    explicit MainPanel(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    const QImage &picture() const { return m_picture; }
    // Loads the picture file, decoded by its extension; false (and no picture) when it
    // cannot be read.
    bool loadPicture(const QString &file);
    void clearPicture();

    static const QColor DefaultColor;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = DefaultColor;
    QImage m_picture;
};
