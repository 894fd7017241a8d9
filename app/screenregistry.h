#pragma once

#include <QHash>
#include <QString>
#include <functional>

class QWidget;

// What the main window hands a screen it creates. Only the reminder screen opened at
// start-up uses the filter, range code and start-up flag.
struct ScreenRequest
{
    QWidget *owner = nullptr;   // the main window
    QString filter;             // e.g. "STATUS = '有效提醒'"
    int rangeCode = -1;         // the reminder range to load
    bool atStartUp = false;
};

// Creates a screen (a modeless window, or a QDialog that the main window runs modally);
// null when it cannot be created.
using ScreenFactory = std::function<QWidget *(const ScreenRequest &request)>;

// The screens and maintenance procedures the main window's commands reach, by name
// ("CarForm", "DeleteDataForm", "DataRebuildForm", ...). A command whose screen is not
// registered passes its gate and rights check and then opens nothing.
class ScreenRegistry
{
public:
    void add(const QString &name, ScreenFactory factory);
    bool contains(const QString &name) const;
    // The new screen, or null when none is registered under the name.
    QWidget *create(const QString &name, const ScreenRequest &request) const;

    // The backup command (start-up form: asks for a directory only when none is stored)
    // and the restore command; unset: they do nothing.
    std::function<void(QWidget *mainWindow, bool atStartUp)> Backup;
    std::function<void(QWidget *mainWindow)> Restore;

private:
    QHash<QString, ScreenFactory> m_factories;
};

// Registers the program's screens and maintenance procedures.
void RegisterProgramScreens(ScreenRegistry &registry);
