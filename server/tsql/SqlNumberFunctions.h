#pragma once

#include "server/tsql/SqlValueFunctions.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// T-SQL's number functions:
//   nerin_round(x, n [, truncate])   half away from zero to n places (negative n: tens, hundreds...);
//                                    integers stay integers; a nonzero third argument truncates
//   nerin_str(x [, length [, decimals]])   STR: right-aligned in `length` (10) characters with
//                                    `decimals` (0) places, fewer places when they do not fit, and
//                                    "*" in every position when the whole part does not fit
//   nerin_isnumeric(x)               1 when T-SQL's ISNUMERIC says so, else 0
// Rounding works on the decimal digits a double was written with, so 2.675 rounds to 2.68.
namespace nerin::tsql {

// A decimal number as its digits.
struct DecimalDigits {
    bool negative = false;
    // No leading zeros: "" is zero.
    std::string whole;
    std::string fraction;
};

// "-12.345", " 7 ", ".5", "7.": surrounding white space, an optional sign, digits with an optional
// point. With `moneySyntax`, also a "$" before or after the sign and commas among the whole digits.
// No value for anything else (exponents included).
std::optional<DecimalDigits> decimalDigits(std::string_view text, bool moneySyntax = false);
// The shortest decimal that reads back as the double, which must be finite.
DecimalDigits decimalDigits(double value);
DecimalDigits decimalDigits(qint64 value);
DecimalDigits decimalDigits(const Number& value);

// Rounded half away from zero, or truncated, to `decimals` places (negative: to tens, hundreds...).
// The fraction then has exactly max(decimals, 0) digits.
DecimalDigits rounded(DecimalDigits value, int decimals, bool truncate = false);

// "-12.50": the whole part ("0" when empty), the fraction after a point when there is one; no sign on
// zero. With `groupThousands`, commas group the whole part ("1,234.50").
std::string decimalText(const DecimalDigits& value, bool groupThousands = false);
double toDouble(const DecimalDigits& value);
// The whole part; no value when it does not fit 64 bits.
std::optional<qint64> wholeAsInteger(const DecimalDigits& value);

std::span<const FunctionEntry> numberFunctions();

} // namespace nerin::tsql
