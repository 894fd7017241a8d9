#include "screenregistry.h"

#include "backupcommands.h"
#include "producttitle.h"
#include "tdatarebuildform.h"
#include "tdeletedataform.h"

// Each screen adds its factory here under its screen name; the backup and restore
// procedures are set as Backup and Restore.
void RegisterProgramScreens(ScreenRegistry &registry)
{
    registry.Backup = [](QWidget *mainWindow, bool atStartUp) { RunBackup(mainWindow, atStartUp); };
    registry.Restore = [](QWidget *mainWindow) { RunRestore(mainWindow); };
    registry.add(QStringLiteral("DeleteDataForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TDeleteDataForm(request.owner); });
    registry.add(QStringLiteral("DataRebuildForm"), [](const ScreenRequest &request) -> QWidget * {
        return new TDataRebuildForm(request.owner, ProductTitle);
    });
}
