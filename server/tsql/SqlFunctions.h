#pragma once

#include "base/Status.h"

#include <sqlite3.h>

// The run-time support that translated T-SQL statements call, registered on a connection:
//
//   nerin_add(a, b), nerin_sub(a, b)                     "+" and "-" decided at run time
//   nerin_getdate(), nerin_dateadd(part, n, date), nerin_datediff(part, start, end),
//   nerin_datepart(part, date), nerin_year(date), nerin_month(date), nerin_day(date)
//   nerin_convert(type, value [, style])                 CONVERT and CAST
//   nerin_len(s), nerin_charindex(find, in [, start]), nerin_left(s, n), nerin_right(s, n),
//   nerin_space(n), nerin_replicate(s, n), nerin_upper(s), nerin_lower(s)
//   nerin_isnumeric(x), nerin_round(x, n [, truncate]), nerin_str(x [, length [, decimals]])
//   like(pattern, text [, escape])                       T-SQL's LIKE in place of SQLite's
//   collation NERIN_CI                                   case-insensitive, accent-sensitive, trailing
//                                                        spaces ignored
//
// Each family's header (SqlArithmeticFunctions.h, SqlDateFunctions.h, SqlConvertFunctions.h,
// SqlTextFunctions.h, SqlNumberFunctions.h, SqlCompareFunctions.h) says what its functions do. Errors are
// reported as SQL errors with T-SQL's messages.
namespace nerin::tsql {

Status registerTsqlFunctions(sqlite3* db);

} // namespace nerin::tsql
