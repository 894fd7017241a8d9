#include "tqxchild.h"

#include "apperror.h"
#include "appvalues.h"
#include "cjkfont.h"
#include "controlkind.h"
#include "exceptionhandler.h"
#include "focuscolorkeeper.h"
#include "messageservice.h"
#include "screenmessages.h"
#include "tagproperty.h"
#include "tqxcomboedit.h"
#include "tqxdatasource.h"
#include "tqxedit.h"
#include "tqxmedit.h"
#include "tqxquery.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QWindowStateChangeEvent>
#include <cmath>

namespace {

const QString EditingRefusal = QStringLiteral("必须先保存或取消新增的数据或修改后的数据");

QWidget *checkedScreen(QWidget *screen)
{
    if (screen && TQXChild::find(screen))
        throw AppError(QStringLiteral("TQXChild控件只能有一个"));
    return screen;
}

QColor rgb(quint32 value)
{
    return QColor::fromRgb(QRgb(value));
}

void paintBase(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
}

// Grids and memos keep Enter and the arrow keys for themselves.
bool keepsMoveKeys(const QWidget *widget)
{
    return KindOf(widget) == ControlKind::Grid || qobject_cast<const QAbstractItemView *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}

std::function<void(bool &)> selectHandlerOf(QWidget *widget)
{
    if (auto *edit = qobject_cast<TQXEdit *>(widget))
        return edit->OnSelect;
    if (auto *comboEdit = qobject_cast<TQXComboEdit *>(widget))
        return comboEdit->OnSelect;
    if (auto *masked = qobject_cast<TQXMEdit *>(widget))
        return masked->OnSelect;
    return {};
}

void setGridOptions(QTableView *grid, bool rowsOnly)
{
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setShowGrid(!rowsOnly);
    grid->horizontalHeader()->setVisible(!rowsOnly);
    grid->verticalHeader()->setVisible(!rowsOnly);
    if (rowsOnly) {
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    } else {
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        grid->setTabKeyNavigation(true);
    }
}

} // namespace

TQXChild::TQXChild(QWidget *screen) : QObject(checkedScreen(screen)), m_screen(screen)
{
    setObjectName(QStringLiteral("QXChild"));
}

TQXChild *TQXChild::find(const QWidget *screen)
{
    return screen ? screen->findChild<TQXChild *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TQXChild::Attach()
{
    if (m_attached || !m_screen)
        return;
    m_attached = true;
    m_handle = m_screen;
    // One application-wide filter: key preview (the screen sees every key before the
    // control that has the focus) and the screen's own show, close and state events.
    qApp->installEventFilter(this);
}

QFont TQXChild::LanguageFont() const
{
    if (Language == QLatin1String("GB"))
        return CjkFont(QStringLiteral("宋体"), 9);
    QFont font;
    font.setFamilies({QStringLiteral("PMingLiU"), QStringLiteral("MingLiU"), QStringLiteral("Noto Serif CJK TC"),
                      QStringLiteral("Noto Sans CJK TC")});
    font.setPointSize(10);
    return font;
}

void TQXChild::ApplyLook()
{
    m_lookApplied = true;
    for (QObject *object : m_screen->findChildren<QObject *>()) {
        if (auto *query = qobject_cast<TQXQuery *>(object)) {
            query->SqlType = SqlType;
            query->ColorOnFocus = Color;
        }
        if (auto *dataset = qobject_cast<TQXDataset *>(object); dataset && !DataBaseName.isEmpty())
            dataset->setDatabaseName(DataBaseName);
        if (auto *source = qobject_cast<TQXDataSource *>(object)) {
            source->BrowseColor = Color;
            source->EditColor = EditColor;
        }
    }

    const QFont font = LanguageFont();
    for (QWidget *widget : m_screen->findChildren<QWidget *>()) {
        const ControlKind kind = KindOf(widget);
        const int tag = TagOf(widget);
        if (kind == ControlKind::Grid) {
            paintBase(widget, rgb(Color));
            widget->setCursor(Qt::PointingHandCursor);
            if (auto *table = qobject_cast<QTableView *>(widget); table && widget->inherits("TQXDBGrid"))
                setGridOptions(table, tag == 100);
            if (tag != 100)
                widget->setFont(font);
        } else if (qobject_cast<QTreeView *>(widget)) {
            paintBase(widget, rgb(Color));
            widget->setFont(font);
        } else if (qobject_cast<QLabel *>(widget)) {
            if (tag == 0)
                widget->setFont(font);
        } else if (IsInputKind(kind)) {
            QColor normal = rgb(Color);
            QColor focus = rgb(Color);
            const bool labelKind = kind == ControlKind::Edit || kind == ControlKind::DBEdit || kind == ControlKind::DBMemo;
            if (tag == 3 && labelKind) {
                normal = focus = rgb(LabelColor);
            } else if (tag == 100) {
                normal = rgb(EditColor);
                focus = rgb(ColorOnFocus);
            }
            if (FocusColorKeeper *colors = ColorsOf(widget)) {
                colors->setNormalColor(normal);
                colors->setColorOnFocus(focus);
            }
            if (tag == 10) {
                if (kind != ControlKind::DBMemo) {
                    QFont sized = font;
                    sized.setPointSizeF(widget->font().pointSizeF());
                    widget->setFont(sized);
                }
            } else {
                widget->setFont(font);
            }
        }
    }
}

QPoint TQXChild::ScreenPosition(const QRect &client, const QSize &size, int maxTop)
{
    // Halves round to even, as the placement always has.
    const int top = std::min(int(std::nearbyint((client.height() - size.height()) / 2.0 + 5)), maxTop);
    const int left = std::max(int(std::nearbyint((client.width() - size.width()) / 2.0 - 1)), 2);
    return client.topLeft() + QPoint(left, top);
}

bool TQXChild::ShowScreen(int mode)
{
    Q_UNUSED(mode)  // stays-on-top modes: a child screen is transient for the main window instead
    try {
        const QWidget *main = m_screen->parentWidget() ? m_screen->parentWidget()->window() : nullptr;
        QRect client;
        if (main)
            client = main->geometry();
        else if (const QScreen *display = QGuiApplication::primaryScreen())
            client = display->availableGeometry();
        QPoint position = ScreenPosition(client, m_screen->frameGeometry().size(), AppValues::ChildMaxTop);
        m_handle = m_screen;
        emit ScreenMessages::instance().screenShown(m_screen);
        if (!m_screen->isWindow())
            m_screen->setWindowFlag(Qt::Window);
        // Screens meant to fill the main window start at its top left.
        if (TagOf(m_screen) == 10)
            position = client.topLeft();
        m_screen->move(position);
        if (m_screen->isMinimized())
            m_screen->setWindowState(m_screen->windowState() & ~Qt::WindowMinimized);
        m_screen->show();
        m_screen->raise();
        m_screen->activateWindow();
        return true;
    } catch (...) {
        emit ScreenMessages::instance().screenClosed(m_screen);
        m_handle = nullptr;
        HandleCurrentException(m_screen);
        return false;
    }
}

void TQXChild::ScreenDestroying()
{
    for (QWidget *widget : m_screen->findChildren<QWidget *>()) {
        if (KindOf(widget) == ControlKind::Grid && widget->metaObject()->indexOfMethod("SaveLayout()") >= 0)
            QMetaObject::invokeMethod(widget, "SaveLayout", Qt::DirectConnection);
    }
    for (TQXDataset *dataset : m_screen->findChildren<TQXDataset *>()) {
        try {
            dataset->close();
        } catch (...) {
            HandleCurrentException(m_screen);
        }
    }
    // A screen freed without closing still leaves the main window's list.
    if (m_handle) {
        m_handle = nullptr;
        emit ScreenMessages::instance().screenClosed(m_screen);
    }
    m_live = false;
}

TRights TQXChild::LoadRights(const QString &group, const QString &program, const QString &user) const
{
    return ::LoadRights(DataBaseName, group, program, user);
}

QString TQXChild::ReadRight(const QString &user, int group, int index, int program) const
{
    return ::ReadRight(DataBaseName, user, group, index, program);
}

bool TQXChild::WriteRight(const QString &user, int group, const QString &value, int index, int program) const
{
    if (DataBaseName.isEmpty()) {
        ShowWarningFor(m_screen, QStringLiteral("DataBaseName必须有一个值"));
        return false;
    }
    return ::WriteRight(DataBaseName, user, group, value, index, program);
}

bool TQXChild::isFirstDelivery(const QObject *receiver) const
{
    // A key the focused control ignores travels on to its parents; only the first delivery
    // counts.
    const auto *widget = qobject_cast<const QWidget *>(receiver);
    if (!widget || widget->window() != m_screen)
        return false;
    const QWidget *focus = m_screen->focusWidget();
    return focus ? widget == focus : widget == m_screen;
}

bool TQXChild::moveFocus(QWidget *from, bool forward)
{
    QWidget *candidate = from;
    for (;;) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == from)
            return false;
        if (candidate->window() == m_screen && candidate->isVisible() && candidate->isEnabled()
            && (candidate->focusPolicy() & Qt::TabFocus) && !candidate->focusProxy()) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

bool TQXChild::screenKey(QKeyEvent *event)
{
    QWidget *focus = m_screen->focusWidget();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (EnterMove && Options && focus && modifiers == Qt::NoModifier && !keepsMoveKeys(focus)) {
        const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Options.testFlag(moEnter);
        const bool down = event->key() == Qt::Key_Down && Options.testFlag(moUpDn);
        const bool up = event->key() == Qt::Key_Up && Options.testFlag(moUpDn);
        if (enter) {
            if (const auto select = selectHandlerOf(focus)) {
                bool keepFocus = false;
                select(keepFocus);
                if (keepFocus)
                    return true;
            }
        }
        if (enter || down) {
            moveFocus(focus, true);
            return true;
        }
        if (up) {
            moveFocus(focus, false);
            return true;
        }
    }
    return OnKeyDown && OnKeyDown(event);
}

bool TQXChild::closeQuery()
{
    for (const TQXDataset *dataset : m_screen->findChildren<TQXDataset *>()) {
        if (TagOf(dataset) == 0 && dataset->isEditing()) {
            ShowWarningFor(m_screen, EditingRefusal);
            return false;
        }
    }
    if (OnCloseQuery && !OnCloseQuery())
        return false;
    if (m_handle) {
        m_handle = nullptr;
        emit ScreenMessages::instance().screenClosed(m_screen);
    }
    return true;
}

void TQXChild::showMainBars()
{
    QWidget *main = m_screen->parentWidget() ? m_screen->parentWidget()->window() : nullptr;
    if (!main)
        return;
    for (QToolBar *bar : main->findChildren<QToolBar *>())
        bar->show();
    if (QWidget *panel = main->findChild<QWidget *>(QStringLiteral("MainPanel")))
        panel->show();
}

void TQXChild::windowStateChanged(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = m_screen->windowState();
    if (state.testFlag(Qt::WindowMinimized) && !oldState.testFlag(Qt::WindowMinimized)) {
        if (MainMenuChange)
            showMainBars();
        emit ScreenMessages::instance().screenHidden(m_screen);
        m_minimized = true;
    } else if (oldState.testFlag(Qt::WindowMinimized) && !state.testFlag(Qt::WindowMinimized)) {
        emit ScreenMessages::instance().screenShown(m_screen);
        m_minimized = false;
    } else if (state.testFlag(Qt::WindowMaximized) && !oldState.testFlag(Qt::WindowMaximized)) {
        emit ScreenMessages::instance().screenShown(m_screen);
    }
}

bool TQXChild::eventFilter(QObject *watched, QEvent *event)
{
    try {
        if (event->type() == QEvent::KeyPress) {
            if (isFirstDelivery(watched))
                return screenKey(static_cast<QKeyEvent *>(event));
            return false;
        }
        if (watched != m_screen)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            if (!m_shownOnce) {
                m_shownOnce = true;
                if (!m_lookApplied)
                    ApplyLook();
                if (OnShow)
                    OnShow();
            }
            break;
        case QEvent::Close:
            if (!closeQuery()) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::WindowStateChange:
            if (m_live)
                windowStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
            break;
        default:
            break;
        }
    } catch (...) {
        HandleCurrentException(m_screen);
        if (event->type() == QEvent::KeyPress)
            return true;
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
    }
    return false;
}
