#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStyle>

// One command of the main window: a menu item (and possibly a tool button) with its screen
// and the check that decides whether the user may run it.
struct MainCommand
{
    enum class Action {
        OpenScreen,      // the common procedure: gate, bring forward, access, create, register
        DeleteData,      // the data deletion screen, opened alone
        Backup,
        Restore,
        Repair,          // the modal repair dialog, with no screen open
        NumberSettings,  // the modal numbering settings dialog, with no screen open
        InputMethod,
        Picture,
        Colour,
        Exit,
        Help,
        About,
    };
    enum class Access { Rights, SystemUser, Everyone };

    QString menu;          // top-level menu caption
    QString caption;       // item caption; also the program name of the rights check
    Action action = Action::OpenScreen;
    QString screenName;
    QString group;         // program group of the rights check
    Access access = Access::Everyone;
    QString refusal;       // empty: "您没有在程序\"<caption>\"中的权限"
    bool hidden = false;
    QKeySequence shortcut;

    QString refusalText() const;
};

// A button of the main tool bar: the command it runs, its hint and icon.
struct MainToolButton
{
    QString command;       // caption of the menu item
    QString hint;
    QStyle::StandardPixmap icon;
};

// The commands in menu order (top menus in order of first appearance).
const QList<MainCommand> &MainCommands();
const QList<MainToolButton> &MainToolButtons();
