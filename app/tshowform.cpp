#include "tshowform.h"

#include "appvalues.h"
#include "producttitle.h"
#include "uihelpers.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Text drawn raised: a white light edge above left, a black dark edge below right.
void drawRaisedText(QPainter &painter, const QRect &area, const QString &text, const QColor &face)
{
    painter.setPen(Qt::white);
    painter.drawText(area.translated(-2, -2), Qt::AlignCenter, text);
    painter.setPen(Qt::black);
    painter.drawText(area.translated(2, 2), Qt::AlignCenter, text);
    painter.setPen(face);
    painter.drawText(area, Qt::AlignCenter, text);
}

QFont chineseFont(int pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

TShowForm::TShowForm(std::chrono::milliseconds minimumTime, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    App().BaseDir = QDir::currentPath();
    App().TodayText = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    setFixedSize(370, 229);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);  // never earlier than asked
    m_timer.setInterval(minimumTime);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_elapsed = true; });
}

void TShowForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    CenterOnScreen(this);
    if (!m_timer.isActive() && !m_elapsed)
        m_timer.start();
}

void TShowForm::waitForTimer()
{
    if (m_elapsed)
        return;
    QEventLoop loop;
    connect(&m_timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (!m_timer.isActive())
        m_timer.start();
    loop.exec();
}

void TShowForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    // The picture: a sky over a road that runs into the distance.
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(0.62, QColor(0xa9, 0xd0, 0xf0));
    sky.setColorAt(0.62, QColor(0x5d, 0x8a, 0x3c));
    sky.setColorAt(1.0, QColor(0x3c, 0x63, 0x25));
    painter.fillRect(area, sky);

    QPainterPath road;
    road.moveTo(area.width() * 0.47, area.height() * 0.62);
    road.lineTo(area.width() * 0.53, area.height() * 0.62);
    road.lineTo(area.width() * 0.80, area.height());
    road.lineTo(area.width() * 0.20, area.height());
    road.closeSubpath();
    painter.fillPath(road, QColor(0x55, 0x55, 0x5a));
    painter.setPen(QPen(QColor(0xf5, 0xd0, 0x4a), 2, Qt::DashLine));
    painter.drawLine(QPointF(area.width() * 0.5, area.height() * 0.64), QPointF(area.width() * 0.5, area.height()));

    painter.setPen(QPen(QColor(0x10, 0x2a, 0x50), 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));

    painter.setFont(chineseFont(26, true));
    drawRaisedText(painter, QRect(0, 40, width(), 70), ProductTitle, QColor(0xe0, 0x10, 0x10));

    painter.setFont(chineseFont(10, false));
    painter.setPen(Qt::white);
    const QString maker = QStringLiteral("RADARUREDA 软件  版本 %1").arg(QCoreApplication::applicationVersion());
    painter.drawText(QRect(0, 118, width(), 24), Qt::AlignCenter, maker);
}
