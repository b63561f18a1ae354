#pragma once

#include "server/tsql/EngineError.h"

#include <QStringView>

struct sqlite3;

namespace nerin::tsql {

// A SQLite failure classified as the server would have reported it, with SQL Server's number,
// SQLSTATE and text for the common ones: a missing table (208) or column (207), a duplicate key (2627,
// or 2601 for a unique index), NULL into a column that refuses it (515), a conflict with a check or
// foreign key (547), an object that already exists (2714), an ambiguous column (209), a syntax error
// (102), a mismatched column count (205, 213). The Status code tells the classes the terminal reports
// apart: missing objects, command text errors, constraint violations and a busy database (shown to the
// user), and a database that cannot be opened, read or written (a lost link). Anything else keeps
// SQLite's own message. `verb` is the statement that failed (INSERT, UPDATE, DELETE), as the messages
// of constraint violations name it.
EngineError classifySqliteError(int code, sqlite3* db, QStringView verb = u"INSERT");

} // namespace nerin::tsql
