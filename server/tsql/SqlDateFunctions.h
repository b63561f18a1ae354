#pragma once

#include "server/tsql/DateTimeText.h"
#include "server/tsql/SqlValueFunctions.h"

#include <optional>
#include <span>

// T-SQL's date functions over canonical date-time texts:
//   nerin_getdate()                        local time now
//   nerin_dateadd(part, n, date)           canonical text; n truncated to a whole number
//   nerin_datediff(part, start, end)       boundaries of `part` crossed from start to end
//   nerin_datepart(part, date), nerin_year(date), nerin_month(date), nerin_day(date)
// A part is a name or abbreviation in any case: year yy yyyy, quarter qq q, month mm m, dayofyear dy y,
// day dd d, week wk ww, weekday dw w, hour hh, minute mi n, second ss s, millisecond ms. Weeks start on
// Sunday and weekday 1 is Sunday. A date is any text parseDateTimeText() reads day first, or a number of
// days since 1900-01-01. NULL in gives NULL out.
namespace nerin::tsql {

inline constexpr std::string_view kDateConversionFailed =
    "Conversion failed when converting date and/or time from character string.";

std::span<const FunctionEntry> dateFunctions();

// The argument as a date-time (see above). The caller handles NULL first; on failure the error is set on
// the context.
std::optional<LocalDateTime> dateArgument(sqlite3_context* context, sqlite3_value* value);

// The value `days` days later (fractions are parts of a day, rounded to the millisecond); no value when
// that leaves years 1 to 9999.
std::optional<LocalDateTime> addDays(const LocalDateTime& value, double days);

// Days since 1900-01-01 00:00, fractions included: the number a T-SQL datetime converts to.
double daysSince1900(const LocalDateTime& value);
// The reverse; no value outside years 1 to 9999.
std::optional<LocalDateTime> fromDaysSince1900(double days);

void resultDateTime(sqlite3_context* context, const LocalDateTime& value);

} // namespace nerin::tsql
