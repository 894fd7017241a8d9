#include "topendirdialog.h"

#include "messageservice.h"

#include <QDir>

QString TOpenDirDialog::Caption() const
{
    return DialogKind == dkSave ? QStringLiteral("选择要保存的目录") : QStringLiteral("选择要存放的目录");
}

bool TOpenDirDialog::Execute(QObject *owner)
{
    const QString chosen = MessageService::current().existingDirectory(Caption(), InitialDir, owner).trimmed();
    if (chosen.isEmpty())
        return false;
    m_directory = QDir::fromNativeSeparators(chosen);
    if (!m_directory.endsWith(QLatin1Char('/')))
        m_directory += QLatin1Char('/');
    return true;
}
