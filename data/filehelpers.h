#pragma once

#include <QString>

bool DirectoryExists(const QString &path);
// The system's temporary directory, with a trailing separator.
QString GetTempDir();
// The directory of a file, with a trailing separator.
QString ExtractExeDir(const QString &file);
// The parent directory of a data directory.
QString ParentDirectory(const QString &dir);
// Start-up clean-up of left-over table files. Tables live inside the database file, so
// nothing is left over; the database file and its journal are never touched.
void DeleteTableFiles(const QString &dir);
// Copies a file, or a directory with everything below it, into `to` (created when
// missing), replacing files of the same name. True when everything was copied.
bool CopyFiles(const QString &from, const QString &to);
