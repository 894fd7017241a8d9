#include "tshowform.h"

#include "appvalues.h"
#include "producttitle.h"
#include "roadpicture.h"
#include "uihelpers.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QPainter>

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

    PaintRoadPicture(painter, area, 0.62, 0.06, 0.6);

    painter.setPen(QPen(QColor(0x10, 0x2a, 0x50), 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));

    painter.setFont(chineseFont(26, true));
    drawRaisedText(painter, QRect(0, 40, width(), 70), ProductTitle, QColor(0xe0, 0x10, 0x10));

    painter.setFont(chineseFont(10, false));
    painter.setPen(Qt::white);
    const QString maker = QStringLiteral("RADARUREDA 软件  版本 %1").arg(QCoreApplication::applicationVersion());
    painter.drawText(QRect(0, 118, width(), 24), Qt::AlignCenter, maker);
}
