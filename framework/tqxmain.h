#pragma once

#include "apperror.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QWidget;

// An operation that is not allowed on the object it was asked of.
class InvalidOperationError : public AppError
{
public:
    using AppError::AppError;
    QString kindName() const override { return QStringLiteral("EInvalidOperation"); }
};

// The frame of the main window: the list of open child screens with its "打开的窗口" menu,
// the tool bars hidden while a child screen is visible, the exclusive flag of the data
// maintenance screen and the main window's background picture setting.
//
// Child screens report being hidden, shown and closed through ScreenMessages; an entry of
// the list lives from RegisterScreen until its screen's close notification, RemoveScreen, or
// until its screen is found gone (a stale entry).
class TQXMain final : public QObject
{
    Q_OBJECT

public:
    // Shows a child screen inside the main window, the top at most `topLimit` pixels;
    // false when it could not be shown.
    using ScreenShower = std::function<bool(QWidget *screen, int topLimit)>;

    // One frame per main window: a second one raises InvalidOperationError "TQXMain".
    explicit TQXMain(QMainWindow *owner);
    ~TQXMain() override;

    // The frame of a main window, or null.
    static TQXMain *find(const QWidget *window);

    QString DataBaseName;               // database of the rights check
    QMenuBar *MainMenu = nullptr;       // receives the open-windows menu
    int MainMenuIndex = 5;              // top-level item used as the open-windows menu
    bool HideToolBar = true;            // hide the tool bars while a child screen is visible
    QString ImageFile = QStringLiteral("QXBank");  // setting that names the background picture
    bool ExclusiveOpen = false;         // the data maintenance screen is open alone
    // How screens are shown; by default placed as the child-screen controller places them.
    ScreenShower ShowScreen;

    // True when the screen is open: it is brought to the front (restored when minimised).
    // An entry whose screen is gone is removed, with its menu entry.
    bool IsScreenOpen(const QString &name);
    // Hides the bars and adds the screen, visible, at the head of the list; its menu entry
    // under "打开的窗口" runs `handler` (the command that opened it).
    void RegisterScreen(const QString &name, QWidget *screen, std::function<void()> handler, const QString &caption);
    void RemoveScreen(const QString &name);
    // The open screen of that name; null when there is none or it is gone.
    QWidget *Screen(const QString &name) const;
    // True when a screen of the list is still open (entries found stale are removed).
    bool HasOpenScreens();
    // Names of the entries, newest first.
    QStringList ScreenNames() const;

    void HideBars();
    void ShowBars();

    // The stored background picture when its file exists, else empty. A settings store that
    // cannot be read warns "RADARUREDA键打开或建立错误".
    QString GetBackgroundImage() const;
    // Asks for a picture file and stores it; empty when none was chosen or it does not exist
    // ("图像文件不存在").
    QString ChooseBackgroundImage() const;
    void ClearBackgroundImage() const;

    // The open-windows menu (the top-level item at MainMenuIndex), or null.
    QMenu *OpenWindowsMenu() const;

    static const QString PictureFilter;

private:
    struct Entry
    {
        QWidget *id = nullptr;           // the screen as it was registered, for the notifications
        QPointer<QWidget> screen;        // null once the screen is gone
        QString name;
        QPointer<QAction> menuEntry;
        bool visible = true;
    };

    static QMainWindow *checkedOwner(QMainWindow *owner);
    QMainWindow *owner() const;
    bool defaultShowScreen(QWidget *screen, int topLimit) const;

    void screenHidden(QWidget *screen);
    void screenShown(QWidget *screen);
    void screenClosed(QWidget *screen);

    int indexOfName(const QString &name) const;
    int indexOfScreen(const QWidget *screen) const;
    bool anyVisible() const;
    void removeAt(int index);

    QList<Entry> m_entries;  // newest first
};
