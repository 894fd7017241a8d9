#include "backupcommands.h"

#include "appvalues.h"
#include "backupdirectory.h"
#include "databasebackup.h"
#include "databaseengine.h"
#include "databaserestore.h"
#include "exceptionhandler.h"
#include "messageservice.h"
#include "tqxbackupfile.h"
#include "tqxmain.h"
#include "tqxthread.h"
#include "tthreadform.h"

#include <QDir>
#include <QProgressBar>
#include <QWidget>

namespace {

const QString BackupValueName = QStringLiteral("RuveloData");
const QString CloseOthers = QStringLiteral("请先关闭其它的窗口");

bool screensOpen(QWidget *mainWindow)
{
    TQXMain *frame = TQXMain::find(mainWindow);
    return frame && frame->HasOpenScreens();
}

// The archive component as the main window sets it up, reporting into `progress`.
void setUp(TQXBackupFile &component, TQXThread &progress)
{
    component.setBackupMode(bmAll);
    component.setCompressionLevel(clFastest);
    component.setRestoreMode(rmAll);
    component.setRestoreFullPath(true);
    component.setOnError([](int, const QString &text) { ShowError(text); });
    component.setOnWarning([](const QString &text) { ShowWarning(text); });
    component.setOnProgress([&progress](const QString &, int percent, bool &) {
        if (TThreadForm *window = progress.window())
            window->progressBar(1)->setValue(percent);
    });
}

void showProgress(TQXThread &progress, const QString &caption)
{
    progress.setCaption(caption);
    progress.setKind(crCopy);
    progress.setProgressBar1(true);
    progress.ShowProgress();
}

} // namespace

QString BackupFileName(const QString &directory, const QString &companyName, const QDateTime &time)
{
    return WithTrailingSeparator(directory)
           + ValidFileName(companyName + QStringLiteral("工程车辆") + time.toString(QStringLiteral("yyyy-MM-dd hh.mm"))
                           + QStringLiteral("备份文件"));
}

void PackAllTables(DatabaseEngine &engine)
{
    engine.pack();
}

bool RunBackup(QWidget *mainWindow, bool atStartUp)
{
    if (!atStartUp && screensOpen(mainWindow)) {
        ShowWarning(CloseOthers);
        return false;
    }
    QString dir = GetBackupDir(BackupValueName, !atStartUp, mainWindow);
    if (dir.isEmpty()) {
        ShowWarning(QStringLiteral("没有指定保存备份文件的位置,不能备份数据"));
        return false;
    }
    // A backup is never written into the data directory.
    if (!App().DataDir.isEmpty() && SameDirectory(dir, App().DataDir))
        dir = WithTrailingSeparator(App().BaseDir);
    dir = CheckBackupDir(BackupValueName, dir, atStartUp, mainWindow);
    if (dir.isEmpty())
        return false;

    TQXThread progress;
    TQXBackupFile component;
    setUp(component, progress);
    const QString file = BackupFileName(dir, App().CompanyName, QDateTime::currentDateTime());
    bool written = false;
    try {
        showProgress(progress, QStringLiteral("正在备份数据....."));
        DatabaseBackup backup(DatabaseEngine::byName(MainDatabaseName), App().DataDir);
        written = backup.backup(file, component);
    } catch (...) {
        progress.HideProgress();
        HandleCurrentException(mainWindow);
        return false;
    }
    progress.HideProgress();
    ShowWarning(written ? QStringLiteral("数据库成功备份到：") + QDir::toNativeSeparators(file)
                        : QStringLiteral("数据备份失败"));
    return written;
}

bool RunRestore(QWidget *mainWindow)
{
    if (screensOpen(mainWindow)) {
        ShowWarning(CloseOthers);
        return false;
    }
    const QString archive = MessageService::current().openFileName(QString(), QString(), mainWindow);
    if (archive.isEmpty())
        return false;
    if (!AskYesNo(QStringLiteral("如果进行恢复操作，该备份文件以后进行的数据库操作的数据会丢失，\r\n是否用文件：\"")
                  + QDir::toNativeSeparators(archive) + QStringLiteral("\" 恢复数据库")))
        return false;

    TQXThread progress;
    TQXBackupFile component;
    setUp(component, progress);
    bool restored = false;
    try {
        showProgress(progress, QStringLiteral("提示窗口"));
        DatabaseRestore restore(DatabaseEngine::byName(MainDatabaseName), App().DataDir);
        restored = restore.restore(archive, component);
    } catch (...) {
        progress.HideProgress();
        HandleCurrentException(mainWindow);
        return false;
    }
    progress.HideProgress();
    ShowWarning(restored ? QStringLiteral("备份的数据库文件已成功恢复") : QStringLiteral("备份的数据库文件恢复失败"));
    return restored;
}
