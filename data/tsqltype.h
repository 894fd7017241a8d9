#pragma once

// The SQL dialect a component generates. urStandard is the local dialect, written for the
// connected engine by its SqlDialect; the other two are generated as text only.
enum TSqlType { urStandard = 0, urSql_Server = 1, urAccess = 2 };
