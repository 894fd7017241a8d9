#include "tqxmain.h"

#include "messageservice.h"
#include "screenmessages.h"
#include "settingsstore.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace {

const QString KeyError = QStringLiteral("RADARUREDA键打开或建立错误");

// Halves to even, as the screen placement rounds.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

const QString TQXMain::PictureFilter = QStringLiteral("图片 (*.bmp *.BMP *.jpg *.JPG *.jpeg *.JPEG)");

QMainWindow *TQXMain::checkedOwner(QMainWindow *owner)
{
    if (owner && find(owner))
        throw InvalidOperationError(QStringLiteral("TQXMain"));
    return owner;
}

TQXMain::TQXMain(QMainWindow *owner) : QObject(checkedOwner(owner))
{
    setObjectName(QStringLiteral("QXMain"));
    MainMenu = owner ? owner->menuBar() : nullptr;
    ShowScreen = [this](QWidget *screen, int topLimit) { return defaultShowScreen(screen, topLimit); };
    const ScreenMessages &messages = ScreenMessages::instance();
    connect(&messages, &ScreenMessages::screenHidden, this, &TQXMain::screenHidden);
    connect(&messages, &ScreenMessages::screenShown, this, &TQXMain::screenShown);
    connect(&messages, &ScreenMessages::screenClosed, this, &TQXMain::screenClosed);
}

TQXMain::~TQXMain() = default;

TQXMain *TQXMain::find(const QWidget *window)
{
    return window ? window->findChild<TQXMain *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QMainWindow *TQXMain::owner() const
{
    return qobject_cast<QMainWindow *>(parent());
}

// Centred in the main window, the top at most `topLimit`, the left at least 2.
bool TQXMain::defaultShowScreen(QWidget *screen, int topLimit) const
{
    if (!screen)
        return false;
    QPoint position(2, 0);
    if (const QMainWindow *main = owner()) {
        const QRect client = main->geometry();
        const int top = std::min(roundEven((client.height() - screen->frameGeometry().height()) / 2.0 + 5), topLimit);
        const int left = std::max(roundEven((client.width() - screen->frameGeometry().width()) / 2.0 - 1), 2);
        position = client.topLeft() + QPoint(left, top);
    }
    emit ScreenMessages::instance().screenShown(screen);
    screen->move(position);
    if (screen->isMinimized())
        screen->setWindowState(screen->windowState() & ~Qt::WindowMinimized);
    screen->show();
    screen->raise();
    screen->activateWindow();
    return true;
}

int TQXMain::indexOfName(const QString &name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name == name)
            return i;
    }
    return -1;
}

int TQXMain::indexOfScreen(const QWidget *screen) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == screen)
            return i;
    }
    return -1;
}

bool TQXMain::anyVisible() const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [](const Entry &entry) { return entry.visible; });
}

QMenu *TQXMain::OpenWindowsMenu() const
{
    if (!MainMenu)
        return nullptr;
    const QAction *item = MainMenu->actions().value(MainMenuIndex);
    return item ? item->menu() : nullptr;
}

// The menu entry may be the one being clicked, so it goes later.
void TQXMain::removeAt(int index)
{
    const Entry entry = m_entries.takeAt(index);
    if (QAction *menuEntry = entry.menuEntry.data()) {
        if (QMenu *menu = OpenWindowsMenu())
            menu->removeAction(menuEntry);
        menuEntry->deleteLater();
    }
    if (QMenu *menu = OpenWindowsMenu(); menu && menu->actions().isEmpty())
        menu->menuAction()->setVisible(false);
}

bool TQXMain::IsScreenOpen(const QString &name)
{
    const int index = indexOfName(name);
    if (index < 0)
        return false;
    QWidget *screen = m_entries[index].screen.data();
    if (!screen) {
        removeAt(index);
        return false;
    }
    if (screen->isMinimized())
        screen->setWindowState(screen->windowState() & ~Qt::WindowMinimized);
    screen->raise();
    screen->activateWindow();
    return true;
}

void TQXMain::RegisterScreen(const QString &name, QWidget *screen, std::function<void()> handler, const QString &caption)
{
    HideBars();
    Entry entry;
    entry.id = screen;
    entry.screen = screen;
    entry.name = name;
    if (QMenu *menu = OpenWindowsMenu()) {
        menu->setTitle(QStringLiteral("打开的窗口"));
        menu->menuAction()->setVisible(true);
        QAction *menuEntry = menu->addAction(caption);
        connect(menuEntry, &QAction::triggered, this, [handler = std::move(handler)] {
            if (handler)
                handler();
        });
        entry.menuEntry = menuEntry;
    }
    m_entries.prepend(entry);
}

void TQXMain::RemoveScreen(const QString &name)
{
    const int index = indexOfName(name);
    if (index >= 0)
        removeAt(index);
}

QWidget *TQXMain::Screen(const QString &name) const
{
    const int index = indexOfName(name);
    return index < 0 ? nullptr : m_entries[index].screen.data();
}

bool TQXMain::HasOpenScreens()
{
    for (int i = m_entries.size() - 1; i >= 0; --i) {
        if (!m_entries[i].screen)
            removeAt(i);
    }
    return !m_entries.isEmpty();
}

QStringList TQXMain::ScreenNames() const
{
    QStringList names;
    for (const Entry &entry : m_entries)
        names << entry.name;
    return names;
}

void TQXMain::HideBars()
{
    QMainWindow *main = owner();
    if (!HideToolBar || !main)
        return;
    for (QToolBar *bar : main->findChildren<QToolBar *>())
        bar->hide();
    if (QWidget *panel = main->findChild<QWidget *>(QStringLiteral("MainPanel")))
        panel->hide();
}

void TQXMain::ShowBars()
{
    QMainWindow *main = owner();
    if (!HideToolBar || !main)
        return;
    for (QToolBar *bar : main->findChildren<QToolBar *>())
        bar->show();
}

void TQXMain::screenHidden(QWidget *screen)
{
    if (const int index = indexOfScreen(screen); index >= 0)
        m_entries[index].visible = false;
    if (!anyVisible())
        ShowBars();
}

void TQXMain::screenShown(QWidget *screen)
{
    const int index = indexOfScreen(screen);
    if (index < 0)
        return;
    if (!anyVisible())
        HideBars();
    m_entries[index].visible = true;
}

void TQXMain::screenClosed(QWidget *screen)
{
    const int index = indexOfScreen(screen);
    if (index < 0)
        return;
    ExclusiveOpen = false;
    m_entries[index].visible = false;
    if (!anyVisible())
        ShowBars();
    removeAt(index);
}

QString TQXMain::GetBackgroundImage() const
{
    bool readable = false;
    const QString file = SettingsStore::read(ImageFile, &readable);
    if (!readable) {
        ShowWarningFor(owner(), KeyError);
        return QString();
    }
    return !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

QString TQXMain::ChooseBackgroundImage() const
{
    const QString file =
        MessageService::current().openFileName(QStringLiteral("设置新的窗口背景图像"), PictureFilter, owner());
    if (file.isEmpty())
        return QString();
    if (!QFileInfo(file).isFile()) {
        ShowWarningFor(owner(), QStringLiteral("图像文件不存在"));
        return QString();
    }
    if (!SettingsStore::write(ImageFile, file))
        ShowWarningFor(owner(), KeyError);
    return file;
}

void TQXMain::ClearBackgroundImage() const
{
    if (!SettingsStore::remove(ImageFile))
        ShowWarningFor(owner(), KeyError);
}
