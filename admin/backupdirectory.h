#pragma once

#include <QString>

class QObject;

// The backup location kept in the settings store under `valueName` ("RuveloData").
// Directories are written with a trailing separator; `owner` is the application window.

// The stored directory, or a newly chosen one (then stored). With `ask` a stored directory
// is offered first ("是否备份文件保存到:"); without it a stored directory is used as it is
// and only a missing one is asked for. Empty when none was chosen or the store cannot be read.
QString GetBackupDir(const QString &valueName, bool ask, QObject *owner = nullptr);

// The directory part of `path` (with a trailing separator) when it exists. Otherwise, with
// `allowChoosing`, offers to choose another directory, stores it and returns it; without,
// reports the missing path. Empty when there is no usable directory (the message was shown).
QString CheckBackupDir(const QString &valueName, const QString &path, bool allowChoosing, QObject *owner = nullptr);

// `directory` with exactly one trailing separator.
QString WithTrailingSeparator(const QString &directory);
// `name` with the characters that no file name may hold replaced by '_'.
QString ValidFileName(const QString &name);
// True when both name the same existing directory.
bool SameDirectory(const QString &first, const QString &second);
