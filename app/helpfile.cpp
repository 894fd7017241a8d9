#include "helpfile.h"

#include "messageservice.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

void OpenHelpFile(const QString &file)
{
    if (!QFileInfo(file).isFile()) {
        ShowWarning(QStringLiteral("帮助文件不存在"));
        return;
    }
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}
