#pragma once

class DatabaseEngine;

// Makes sure no other connection (another copy of the program) uses an SQLite database
// file before the file is replaced: the connection leaves WAL mode, which needs the only
// lock on the file and folds the write-ahead log into the file. Raises
// EngineError(TablesOpen) when another connection holds the file. The next connection
// turns WAL on again. A server database is left as it is.
void RequireSoleConnection(DatabaseEngine &engine);
