#include "backupformat.h"

#include <algorithm>

namespace BackupFormat {

QString volumeSuffix(int number)
{
    return (QStringLiteral("00") + QString::number(number)).right(3);
}

QString volumeFileName(const QString &archive, int number)
{
    const qsizetype nameStart = std::max(archive.lastIndexOf(QLatin1Char('/')), archive.lastIndexOf(QLatin1Char('\\'))) + 1;
    qsizetype dot = archive.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = archive.size();
    return archive.left(dot) + QLatin1Char('.') + volumeSuffix(number);
}

} // namespace BackupFormat
