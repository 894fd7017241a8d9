#include "settingsstore.h"

#include "messageservice.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString Group = QStringLiteral("RADARUREDA");

QString keyOf(const QString &name)
{
    return Group + QLatin1Char('/') + name;
}

} // namespace

QString SettingsStore::fileName()
{
    const QString fromEnvironment = qEnvironmentVariable("RUVELO_SETTINGS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("RADARUREDA/RADARUREDA.ini"));
}

QString SettingsStore::read(const QString &name, bool *ok)
{
    QSettings settings(fileName(), QSettings::IniFormat);
    const bool readable = settings.status() == QSettings::NoError;
    if (ok)
        *ok = readable;
    return readable ? settings.value(keyOf(name)).toString() : QString();
}

bool SettingsStore::write(const QString &name, const QString &value)
{
    QDir().mkpath(QFileInfo(fileName()).absolutePath());
    QSettings settings(fileName(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    settings.setValue(keyOf(name), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool SettingsStore::remove(const QString &name)
{
    QSettings settings(fileName(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    settings.remove(keyOf(name));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool SettingsStore::contains(const QString &name)
{
    QSettings settings(fileName(), QSettings::IniFormat);
    return settings.status() == QSettings::NoError && settings.contains(keyOf(name));
}

QString ReadSetting(const QString &name)
{
    bool ok = false;
    const QString value = SettingsStore::read(name, &ok);
    if (!ok)
        ShowWarning(QStringLiteral("注册表打开错误"));
    return value;
}

void WriteSetting(const QString &name, const QString &value)
{
    if (!SettingsStore::write(name, value))
        ShowWarning(QStringLiteral("注册表打开错误"));
}

QString ReadIntSetting(const QString &name)
{
    const QString value = ReadSetting(name);
    bool ok = false;
    value.trimmed().toInt(&ok);
    return ok ? value.trimmed() : QString();
}

bool AliasExists(const QString &alias)
{
    return !SettingsStore::read(alias).trimmed().isEmpty();
}

QString GetAliasPath(const QString &alias)
{
    const QString path = SettingsStore::read(alias).trimmed();
    if (path.isEmpty() || path.contains(QLatin1String("://")))
        return path;  // empty, or a server URL
    return QDir::cleanPath(path);
}
