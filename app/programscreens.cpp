#include "screenregistry.h"

#include "backupcommands.h"
#include "producttitle.h"
#include "tcartypeform.h"
#include "tcarworktypeform.h"
#include "tdatarebuildform.h"
#include "tdeletedataform.h"
#include "tdeptform.h"
#include "tpasswordchangeform.h"
#include "tuserform.h"
#include "tmoneyintoouttypeform.h"
#include "toperationmanform.h"
#include "trepairtypeform.h"

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
    registry.add(QStringLiteral("CarTypeForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TCarTypeForm(request.owner); });
    registry.add(QStringLiteral("CarWorkTypeForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TCarWorkTypeForm(request.owner); });
    registry.add(QStringLiteral("RepairTypeForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TRepairTypeForm(request.owner); });
    registry.add(QStringLiteral("MoneyIntoOutTypeForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TMoneyIntoOutTypeForm(request.owner); });
    registry.add(QStringLiteral("DeptForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TDeptForm(request.owner); });
    registry.add(QStringLiteral("OperationManForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TOperationManForm(request.owner); });
    registry.add(QStringLiteral("UserForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TUserForm(request.owner); });
    registry.add(QStringLiteral("PasswordChangeForm"),
                 [](const ScreenRequest &request) -> QWidget * { return new TPasswordChangeForm(request.owner); });
}
