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
// decimals and numbers too large for an integer. A binary literal, which has no value of its own here,
// is its bytes read as Windows-1252 text, as CAST(0x41 AS varchar) reads them.
DbValue literalValue(const Token& token);

// Binary literals (0x41, 0x, 0x0A0b) are varbinary values, bound to statements as SQLite blobs of
// their bytes; an odd number of digits has a leading zero ("0x123" is 0x0123). What the engine does
// with them is the subset of SQL Server's meaning that scripts use: they compare equal to the same
// bytes, are stored as bytes in binary and varbinary columns, and CAST or CONVERT turns them into
// texts (the bytes as Windows-1252 characters) and integers (their big-endian value, cut to the
// type's width). Unlike SQL Server, a binary value compared with a text or stored in a character
// column is not converted to text: write the CAST.
QByteArray binaryLiteralBytes(const Token& token);

// Binds a value to a statement parameter: money and doubles as doubles, dates in their stored form.
int bindValue(sqlite3_stmt* statement, int index, const DbValue& value);

QStringList columnNames(sqlite3_stmt* statement);

// The current row. Columns declared datetime, and texts in the stored date form, read as dates;
// columns declared money read as money.
QList<DbValue> readRow(sqlite3_stmt* statement);

} // namespace nerin::tsql
