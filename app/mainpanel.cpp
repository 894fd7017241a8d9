#include "mainpanel.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

const QColor MainPanel::DefaultColor = QColor(0x2F, 0x6F, 0x9F);

MainPanel::MainPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackgroundPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MainPanel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

bool MainPanel::loadPicture(const QString &file)
{
    // The extension decides the decoder: .jpg and .jpeg are JPEG, .bmp a bitmap.
    QByteArray format = QFileInfo(file).suffix().toLower().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    QImageReader reader(file, format);
    reader.setDecideFormatFromContent(false);
    m_picture = reader.read();
    update();
    return !m_picture.isNull();
}

void MainPanel::clearPicture()
{
    m_picture = QImage();
    update();
}

void MainPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    if (m_picture.isNull())
        return;
    const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatioByExpanding);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}
