#pragma once

#include "server/tsql/SqlTypeFunctions.h"
#include "server/tsql/SqlValueFunctions.h"

#include <span>

// nerin_convert(type, value [, style]): T-SQL's CONVERT and CAST, with the type as written in the
// statement ("varchar(10)", "DECIMAL (10, 2)", "datetime"). NULL value or style gives NULL.
//
// Integer types: whole-number text ("" is 0), doubles truncated toward zero, date-times as their day
//   count since 1900-01-01, rounded to the nearest day; the type's range checked.
// bit: nonzero numbers and "true" are 1, zero and "false" 0.
// money, smallmoney, decimal(p,s), numeric(p,s): rounded half away from zero to 4 or s places, giving
//   a double (an integer when s is 0); precision and range checked. Money text may have "$" and commas.
// float, real: numeric text, or a date-time's days since 1900-01-01 with the time as a fraction.
// char(n), varchar(n), nchar(n), nvarchar(n), varchar(max), text, ntext: n characters, 30 when not
//   given; char pads with spaces and everything truncates. Integers that do not fit give "*" (an error
//   for the national types), doubles an error. Doubles are written as numberText() does, with two places
//   and thousands commas in style 1, four places in style 2. A date-time text is written in the style
//   when one is given; a stored date-time ("yyyy-MM-dd HH:mm:ss.zzz" exactly) is written in style 0
//   when none is, as T-SQL writes a datetime.
// datetime, smalldatetime, date: text read in the style (day first without one; "" is 1900-01-01),
//   numbers as days since 1900-01-01; the canonical text. smalldatetime rounds to the minute, date
//   drops the time.
namespace nerin::tsql {

std::span<const FunctionEntry> convertFunctions();

} // namespace nerin::tsql
