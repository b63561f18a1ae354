#pragma once

#include "server/tsql/SqlValueFunctions.h"

#include <span>

// T-SQL's "+" and "-" where the operand types are only known at run time:
//   nerin_add(a, b)   text + text concatenates; numbers add (64-bit integers, or doubles as soon as one
//                     operand is one); a date-time text + a number is that many days later
//                     (fractions are parts of a day), either way round
//   nerin_sub(a, b)   numbers subtract; a date-time text - a number is that many days earlier; a
//                     date-time text - another is the time between them as a date counted from
//                     1900-01-01 ("1900-01-02 12:00:00.000" for a day and a half)
// A date-time text is one that starts as the stored form does ("2026-12-06..."). Other text meeting a
// number converts to a number (an integer when it is a whole number) or fails as T-SQL's conversion
// does. NULL in either operand gives NULL; blobs, other text - text and a number - a date are errors.
namespace nerin::tsql {

std::span<const FunctionEntry> arithmeticFunctions();

} // namespace nerin::tsql
