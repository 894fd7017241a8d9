#include "screenregistry.h"

// Each screen adds its factory here under its screen name; the backup and restore
// procedures are set as Backup and Restore.
void RegisterProgramScreens(ScreenRegistry &)
{
}
