#pragma once

#include "helpfile.h"
#include "maincommand.h"
#include "screenregistry.h"

#include <QMainWindow>
#include <QString>

class MainPanel;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class SingleInstance;
class TQXMain;

// The main window: the frame of the running program. It is created hidden before sign-on
// and shown maximised afterwards. Its menus and tool bar run the commands of MainCommands():
// each passes its gate and access check, brings an open screen forward or creates the
// screen through the screen registry, shows it and lists it under "打开的窗口".
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    // Closes every open result of the main database.
    ~TMainForm() override;

    // The creation set-up: application values, the single-instance check with the
    // application title (`instanceDirectory` holds its lock; empty: the user's runtime
    // directory), the organisation values, the panel's picture and colour. False when
    // another copy is running (the user has been told). Raises when the database cannot
    // be used.
    bool FormCreate(const QString &instanceDirectory = QString());

    // Shows the window in front: restored when minimised, or the dialog that is open
    // while the window is still hidden (sign-on).
    void BringForward();

    TQXMain *frame() const { return m_frame; }
    ScreenRegistry &screens() { return m_screens; }
    MainPanel *mainPanel() const { return m_panel; }
    QToolBar *toolBar() const { return m_toolBar; }
    // The menu item or tool button of a command, by its caption.
    QAction *commandAction(const QString &caption) const;
    void setHelpOpener(HelpOpener opener) { m_helpOpener = std::move(opener); }

    // Runs a command as its menu item does.
    void RunCommand(const MainCommand &command);
    // The maintenance procedures of the registry; nothing when unset.
    void RunBackup(bool atStartUp);
    void RunRestore();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void showDate();

    // The steps of the common command procedure.
    bool CanOpenScreen();
    bool BringScreenForward(const QString &name);
    bool Allowed(const MainCommand &command);
    // Creates, shows and registers the screen; false when nothing was opened.
    bool OpenNewScreen(const MainCommand &command, const ScreenRequest &request);
    bool RunModal(const QString &name);

    void OpenScreen(const MainCommand &command);
    void OpenDeleteData(const MainCommand &command);
    void OpenRepair(const MainCommand &command);
    void OpenNumberSettings(const MainCommand &command);
    void ChoosePicture();
    void ChooseColour();
    void ChooseInputMethod();

    // First show: the backup offer and the start-up reminders.
    void StartUpOffers();

    SingleInstance *m_instance = nullptr;
    TQXMain *m_frame = nullptr;
    MainPanel *m_panel = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_makerPanel = nullptr;
    QLabel *m_datePanel = nullptr;
    QTimer *m_statusTimer = nullptr;
    QHash<QString, QAction *> m_actions;
    ScreenRegistry m_screens;
    HelpOpener m_helpOpener = OpenHelpFile;
    bool m_shownOnce = false;
};
