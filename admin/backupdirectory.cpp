#include "backupdirectory.h"

#include "messageservice.h"
#include "settingsstore.h"
#include "topendirdialog.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString ReadFailed = QStringLiteral("数据备份保存位置读取错误");
const QString NoNewPath = QStringLiteral("没有指定新的保存数据备份文件的路径\n\r不能备份数据");

// Shows the directory dialog starting at `start`; empty when cancelled.
QString chooseDirectory(const QString &start, QObject *owner)
{
    TOpenDirDialog dialog;
    dialog.InitialDir = start;
    return dialog.Execute(owner) ? dialog.Directory() : QString();
}

// `path` without its last component; a path ending in a separator loses only that.
QString directoryPart(const QString &path)
{
    QString dir = QDir::fromNativeSeparators(path);
    if (dir.endsWith(QLatin1Char('/'))) {
        dir.chop(1);
        return dir.isEmpty() ? QStringLiteral("/") : dir;
    }
    return QFileInfo(dir).path();
}

} // namespace

QString WithTrailingSeparator(const QString &directory)
{
    QString dir = QDir::fromNativeSeparators(directory);
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

QString ValidFileName(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString result = name;
    for (QChar &c : result) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            c = QLatin1Char('_');
    }
    return result;
}

bool SameDirectory(const QString &first, const QString &second)
{
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(second).canonicalFilePath();
}

QString GetBackupDir(const QString &valueName, bool ask, QObject *owner)
{
    bool readable = true;
    QString dir = SettingsStore::read(valueName, &readable);
    if (!readable) {
        ShowWarningFor(owner, ReadFailed);
        return {};
    }
    bool choose = false;
    if (ask) {
        choose = dir.isEmpty() || !AskYesNo(QStringLiteral("是否备份文件保存到:\r") + dir);
    } else if (dir.isEmpty()) {
        ShowWarningFor(owner, QStringLiteral("必须选择数据备份保存位置"));
        choose = true;
    }
    if (!choose)
        return dir;
    const QString chosen = chooseDirectory(dir, owner);
    if (chosen.isEmpty())
        return {};
    WriteSetting(valueName, chosen);
    return chosen;
}

QString CheckBackupDir(const QString &valueName, const QString &path, bool allowChoosing, QObject *owner)
{
    // A stored directory written without its closing separator is still that directory.
    const QString dir = !path.isEmpty() && QFileInfo(path).isDir() ? QDir::fromNativeSeparators(path) : directoryPart(path);
    if (QFileInfo(dir).isDir())
        return WithTrailingSeparator(dir);
    const QString shown = QStringLiteral("指定保存数据备份文件的路径是:") + QDir::toNativeSeparators(dir) + QStringLiteral("\n\r");
    if (!allowChoosing) {
        ShowWarning(shown + QStringLiteral("此路径不存在,不能保存数据备份文件"));
        return {};
    }
    if (!AskYesNo(shown + QStringLiteral("此路径不存在,是否选择新的保存数据备份文件的路径"))) {
        ShowWarning(NoNewPath);
        return {};
    }
    const QString chosen = chooseDirectory(QString(), owner);
    if (chosen.isEmpty()) {
        ShowWarning(NoNewPath);
        return {};
    }
    if (!SettingsStore::write(valueName, chosen)) {
        ShowWarningFor(owner, ReadFailed);
        return {};
    }
    if (QFileInfo(chosen).isDir())
        return WithTrailingSeparator(chosen);
    ShowWarning(QStringLiteral("选择的保存数据备份文件的路径是:") + QDir::toNativeSeparators(directoryPart(chosen))
                + QStringLiteral("\n\r") + QStringLiteral("此路径不存在,不能保存数据备份文件"));
    return {};
}
