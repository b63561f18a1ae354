#pragma once

#include "data/DbValue.h"
#include "server/tsql/EngineError.h"
#include "server/tsql/Token.h"

#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace nerin::tsql {

// Values crossing between the engine and SQLite.

// The value of a literal token: a text (a date text in its stored form), an integer, or a double for
// decimals and numbers too large for an integer.
DbValue literalValue(const Token& token);

// Binds a value to a statement parameter: money and doubles as doubles, dates in their stored form.
int bindValue(sqlite3_stmt* statement, int index, const DbValue& value);

QStringList columnNames(sqlite3_stmt* statement);

// The current row. Columns declared datetime, and texts in the stored date form, read as dates;
// columns declared money read as money.
QList<DbValue> readRow(sqlite3_stmt* statement);

} // namespace nerin::tsql
