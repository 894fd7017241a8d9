#pragma once

#include <QString>

// The per-user settings store (an INI file, group "RADARUREDA"): machine settings such as
// the backup directory, the main window's colour and picture, and the alias RuveloLink that
// names the data directory. The file is the one the environment variable RUVELO_SETTINGS
// names, or the user's standard configuration file.
class SettingsStore
{
public:
    static QString fileName();

    // Empty text when the value is missing; `ok` is false when the store cannot be read.
    static QString read(const QString &name, bool *ok = nullptr);
    // False when the store cannot be written.
    static bool write(const QString &name, const QString &value);
    static bool remove(const QString &name);
    static bool contains(const QString &name);
};

// The setting operations every screen uses; a store that cannot be opened shows
// "注册表打开错误" and reads nothing.
QString ReadSetting(const QString &name);
void WriteSetting(const QString &name, const QString &value);
// The value when it converts to an integer, otherwise empty text.
QString ReadIntSetting(const QString &name);

// True when the alias is configured.
bool AliasExists(const QString &alias);
// The directory the alias points at, without a trailing separator; empty when unknown.
QString GetAliasPath(const QString &alias);
