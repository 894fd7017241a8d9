#pragma once

#include "programrights.h"
#include "tsqltype.h"

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <functional>

class QFont;
class QKeyEvent;
class QWidget;

// Turns a window into a child screen of the main window; exactly one per screen. It gives
// the screen's controls the program's colours and fonts, moves the focus between inputs
// with Enter and the arrow keys, refuses to close while a dataset is being edited, tells
// the main window (through ScreenMessages) when the screen is shown, minimised, restored
// or closed, places the screen inside the main window, closes the screen's datasets when
// the screen goes, and looks up the user's rights for the screen.
//
// The screen's own handlers are chained: OnKeyDown runs after the key movement, OnShow
// only the first time the screen is shown, OnCloseQuery after the edit check.
class TQXChild final : public QObject
{
    Q_OBJECT

public:
    enum MoveOption { moEnter = 0x1, moUpDn = 0x2 };
    Q_DECLARE_FLAGS(TMoveOptions, MoveOption)

    // Raises AppError "TQXChild控件只能有一个" when the screen has one already.
    explicit TQXChild(QWidget *screen);

    // The controller of a screen, or null.
    static TQXChild *find(const QWidget *screen);
    QWidget *screen() const { return m_screen; }

    bool EnterMove = true;
    TMoveOptions Options = TMoveOptions(moEnter) | moUpDn;
    bool EditNoBeep = true;  // kept for the screens' settings; no behaviour
    // When false the main window shows the screen above itself (a window transient for it).
    bool NotTopShow = false;
    // Minimising shows the main window's tool bars and its "MainPanel" again.
    bool MainMenuChange = false;
    QString DataBaseName;
    // Colours as 0xRRGGBB.
    quint32 Color = 0xFEFAF1;
    quint32 LabelColor = 0xBEFDB7;
    quint32 EditColor = 0xEEFDFD;
    quint32 ColorOnFocus = 0xC7F7F8;
    // "GB": simplified-Chinese fonts; anything else the traditional-Chinese ones.
    QString Language = QStringLiteral("GB");
    TSqlType SqlType = urStandard;

    // The screen's chained handlers. OnKeyDown returns true when it used the key;
    // OnCloseQuery returns false to keep the screen open.
    std::function<bool(QKeyEvent *)> OnKeyDown;
    std::function<void()> OnShow;
    std::function<bool()> OnCloseQuery;

    // Starts key preview and the chained events.
    void Attach();
    // Gives the screen's controls, queries and data sources the colours, fonts and dialect.
    // Runs by itself when the screen is shown the first time.
    void ApplyLook();
    // The font of the language: simplified-Chinese Song 9 pt, or traditional Ming 10 pt.
    QFont LanguageFont() const;

    // Places and shows the screen inside its main window (the screen's parent window);
    // false, after the closed notification, when that failed.
    bool ShowScreen(int mode = 90);
    // Where a screen of `size` goes inside a main window's client area `client` (global
    // coordinates): centred, the top at most `maxTop` below the client top, the left at
    // least 2 from its left.
    static QPoint ScreenPosition(const QRect &client, const QSize &size, int maxTop);

    // The window-state notifications run only while the screen is live.
    bool isLive() const { return m_live; }
    void setLive(bool live) { m_live = live; }
    bool isMinimized() const { return m_minimized; }

    // The base screen calls this first thing in its destructor: every dataset of the screen
    // is closed and every grid that offers SaveLayout() saves its column layout.
    void ScreenDestroying();

    // The rights look-up of the program rights on DataBaseName.
    TRights LoadRights(const QString &group, const QString &program, const QString &user) const;
    QString ReadRight(const QString &user, int group, int index, int program) const;
    // False when nothing was written ("DataBaseName必须有一个值" when no database is named).
    bool WriteRight(const QString &user, int group, const QString &value, int index, int program) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool screenKey(QKeyEvent *event);
    bool moveFocus(QWidget *from, bool forward);
    bool closeQuery();
    void windowStateChanged(Qt::WindowStates oldState);
    void showMainBars();
    bool isFirstDelivery(const QObject *receiver) const;

    QWidget *m_screen;
    QPointer<QWidget> m_handle;  // cleared once the closed notification went out
    bool m_attached = false;
    bool m_shownOnce = false;
    bool m_lookApplied = false;
    bool m_live = false;
    bool m_minimized = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TQXChild::TMoveOptions)
