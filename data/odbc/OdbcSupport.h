#pragma once

// Small helpers shared by the ODBC back-end's classes. This header pulls in the ODBC C API headers
// (which define macros such as BOOL), so only the back-end's .cpp files and private headers include it.

#include "data/DbError.h"

#include <QString>
#include <sql.h>
#include <sqlext.h>
#include <vector>

namespace nerin {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the ODBC wide character must be UTF-16");

inline bool odbcSucceeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The text as a zero-terminated UTF-16 buffer the ODBC wide functions can take (they declare
// non-const pointers).
std::vector<SQLWCHAR> toSqlWide(const QString& text);
QString fromSqlWide(const SQLWCHAR* text, qsizetype length);

// Every diagnostic record the handle holds after the last call on it, in the driver's order.
DbErrorList readOdbcDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

} // namespace nerin
