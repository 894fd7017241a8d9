#include "tqxpagecontrol.h"

#include "messageservice.h"
#include "tqxdatasource.h"
#include "tqxquery.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

TQXPageControl::TQXPageControl(QWidget *parent) : QTabWidget(parent)
{
}

void TQXPageControl::Hook()
{
    if (m_hooked)
        return;
    m_hooked = true;
    tabBar()->setCursor(Qt::PointingHandCursor);
    tabBar()->installEventFilter(this);
}

bool TQXPageControl::CanChangePage(int target)
{
    for (const TQXDataSource *source :
         {DataSource1.data(), DataSource2.data(), DataSource3.data(), DataSource4.data(), DataSource5.data(),
          DataSource6.data(), DataSource7.data()}) {
        if (source && source->dataSet() && source->dataSet()->isEditing()) {
            ShowWarningFor(this, QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
            return false;
        }
    }
    if (QyMaster && QyMaster->isEmpty()) {
        if (currentIndex() == 0) {
            ShowWarningFor(this, QStringLiteral("没有主档数据记录，不能改变页面"));
            return false;
        }
        return true;
    }
    return !OnChanging || OnChanging(target);
}

int TQXPageControl::keyTarget(const QKeyEvent *event, bool onTabBar) const
{
    const int current = currentIndex();
    const int last = count() - 1;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        return control ? (current < last ? current + 1 : 0) : -1;
    case Qt::Key_Backtab:
        return control ? (current > 0 ? current - 1 : last) : -1;
    case Qt::Key_PageDown:
        return control ? qMin(current + 1, last) : -1;
    case Qt::Key_PageUp:
        return control ? qMax(current - 1, 0) : -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return onTabBar ? qMin(current + 1, last) : -1;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return onTabBar ? qMax(current - 1, 0) : -1;
    case Qt::Key_Home:
        return onTabBar ? 0 : -1;
    case Qt::Key_End:
        return onTabBar ? last : -1;
    default:
        return -1;
    }
}

bool TQXPageControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != tabBar() || !m_hooked)
        return QTabWidget::eventFilter(watched, event);
    int target = -1;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        target = tabBar()->tabAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        break;
    case QEvent::Wheel: {
        const QPoint delta = static_cast<QWheelEvent *>(event)->angleDelta();
        const int step = (delta.y() != 0 ? delta.y() : delta.x()) > 0 ? -1 : 1;
        target = qBound(0, currentIndex() + step, count() - 1);
        break;
    }
    case QEvent::KeyPress:
        target = keyTarget(static_cast<QKeyEvent *>(event), true);
        break;
    default:
        break;
    }
    if (target >= 0 && target != currentIndex() && !CanChangePage(target))
        return true;
    return QTabWidget::eventFilter(watched, event);
}

void TQXPageControl::keyPressEvent(QKeyEvent *event)
{
    const int target = m_hooked ? keyTarget(event, false) : -1;
    if (target >= 0 && target != currentIndex() && !CanChangePage(target)) {
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}
