#pragma once

#include "databaseengine.h"

#include <memory>

// The engine an alias value stands for: a postgresql:// URL names a server database,
// anything else is the data directory of an SQLite database.
std::unique_ptr<DatabaseEngine> CreateEngine(const QString &databaseName, const QString &aliasValue);
