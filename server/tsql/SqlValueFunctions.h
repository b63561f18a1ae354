#pragma once

#include <QtGlobal>
#include <array>
#include <initializer_list>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

// What the T-SQL run-time functions share: reading SQLite arguments as T-SQL would see them, numbers
// and their text, UTF-8 characters and their case folding, and reporting results and errors.
namespace nerin::tsql {

using SqlFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

// One SQL function to register. Deterministic functions give the same result for the same arguments,
// which lets SQLite use them in indexes and factor them out of loops.
struct FunctionEntry {
    const char* name;
    int argumentCount;
    bool deterministic;
    SqlFunction function;
};

// A number as SQLite holds it: a 64-bit integer or a double.
struct Number {
    bool isInteger = true;
    qint64 integer = 0;
    double real = 0;

    static Number fromInteger(qint64 value) { return {true, value, 0}; }
    static Number fromReal(double value) { return {false, 0, value}; }
    double toDouble() const { return isInteger ? static_cast<double>(integer) : real; }
};

// Room for the text of a number.
using NumberChars = std::array<char, 32>;

bool isSpaceChar(char c);
std::string_view trimSpaces(std::string_view text);
// Without the trailing blanks that T-SQL ignores in comparisons and lengths.
std::string_view trimTrailingBlanks(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view text, std::string_view lowerCaseWord);

// A number as T-SQL's conversion to varchar writes it: integers in full, doubles with up to 15
// significant digits and no trailing zeros ("12.5", "0.3"), in exponent form from 1e15 up and below
// 1e-4 ("1e+15"). Zero is "0" whatever its sign.
std::string_view numberText(const Number& value, NumberChars& buffer);

// The UTF-8 text of an argument: text as stored, numbers as numberText() writes them, blobs as their
// bytes, "" for NULL. The view lives as long as the buffer and the argument.
std::string_view argumentText(sqlite3_value* value, NumberChars& buffer);

// The argument's number when SQLite holds it as an integer or a double.
std::optional<Number> storedNumber(sqlite3_value* value);

// A number written in text: surrounding white space, an optional sign, digits with an optional "." and
// fraction, an optional exponent ("-12", " 1.5 ", ".5", "2e3"). Digits alone that fit 64 bits give an
// integer; the rest a double. No value for anything else or a double out of range.
std::optional<Number> parseNumber(std::string_view text);
// Surrounding white space, an optional sign and digits only; no value for anything else or a value
// outside 64 bits (`overflowed` then tells which).
std::optional<qint64> parseWholeNumber(std::string_view text, bool* overflowed = nullptr);

// The argument as a whole number: integers as they are, doubles truncated toward zero, numeric text
// converted. The caller handles NULL first; on failure the error is set on the context.
std::optional<qint64> integerArgument(sqlite3_context* context, sqlite3_value* value);

// The next character of UTF-8 text at pos, advancing pos. A byte that does not start a well-formed
// sequence gives U+DC00 plus the byte, so malformed text still reads as a sequence of distinct
// characters.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
// Unicode simple case folding; ASCII without a table lookup.
char32_t foldCase(char32_t c);
// Characters of UTF-8 text (bytes that do not continue a sequence).
qint64 characterCount(std::string_view text);
// The byte length of the first `count` characters.
std::size_t bytesOfCharacters(std::string_view text, qint64 count);
void appendCodePoint(std::string& out, char32_t c);

void resultError(sqlite3_context* context, std::string_view message);
void resultText(sqlite3_context* context, std::string_view text);
void resultNumber(sqlite3_context* context, const Number& value);

// The parts one after another: how the messages are put together.
std::string concat(std::initializer_list<std::string_view> parts);

// "Conversion failed when converting the varchar value 'abc' to data type int."
std::string conversionFailed(std::string_view text, std::string_view typeName);

} // namespace nerin::tsql
