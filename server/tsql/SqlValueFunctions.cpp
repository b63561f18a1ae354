#include "server/tsql/SqlValueFunctions.h"

#include <QChar>
#include <charconv>
#include <cmath>
#include <limits>

namespace nerin::tsql {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Doubles from -2^63 (inclusive) to 2^63 (exclusive) truncate to a 64-bit integer.
constexpr double kTwoTo63 = 9223372036854775808.0;

} // namespace

bool isSpaceChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && isSpaceChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpaceChar(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringAsciiCase(std::string_view text, std::string_view lowerCaseWord) {
    if (text.size() != lowerCaseWord.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != lowerCaseWord[i])
            return false;
    }
    return true;
}

std::string_view numberText(const Number& value, NumberChars& buffer) {
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    if (value.isInteger) {
        const auto written = std::to_chars(first, last, value.integer);
        return {first, static_cast<std::size_t>(written.ptr - first)};
    }
    if (value.real == 0)
        return "0";
    const auto written = std::to_chars(first, last, value.real, std::chars_format::general, 15);
    return {first, static_cast<std::size_t>(written.ptr - first)};
}

std::string_view argumentText(sqlite3_value* value, NumberChars& buffer) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return numberText(Number::fromInteger(sqlite3_value_int64(value)), buffer);
    case SQLITE_FLOAT:
        return numberText(Number::fromReal(sqlite3_value_double(value)), buffer);
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return {text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
        const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
        return size == 0 ? std::string_view() : std::string_view(bytes, size);
    }
    default:
        return {};
    }
}

std::optional<Number> storedNumber(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return Number::fromInteger(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return Number::fromReal(sqlite3_value_double(value));
    default:
        return std::nullopt;
    }
}

std::optional<qint64> parseWholeNumber(std::string_view text, bool* overflowed) {
    if (overflowed)
        *overflowed = false;
    text = trimSpaces(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    quint64 magnitude = 0;
    bool tooLarge = false;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        const auto digit = static_cast<quint64>(c - '0');
        if (magnitude > (std::numeric_limits<quint64>::max() - digit) / 10)
            tooLarge = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    const quint64 limit = negative ? quint64{1} << 63 : (quint64{1} << 63) - 1;
    if (tooLarge || magnitude > limit) {
        if (overflowed)
            *overflowed = true;
        return std::nullopt;
    }
    return negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
}

std::optional<Number> parseNumber(std::string_view text) {
    text = trimSpaces(text);
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    bool whole = true;
    if (pos < text.size() && text[pos] == '.') {
        whole = false;
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        whole = false;
        ++pos;
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
            ++pos;
        std::size_t exponentDigits = 0;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    if (whole) {
        if (const auto integer = parseWholeNumber(text))
            return Number::fromInteger(*integer);
    }
    // from_chars takes no leading "+".
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return Number::fromReal(value);
}

std::optional<qint64> integerArgument(sqlite3_context* context, sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return sqlite3_value_int64(value);
    case SQLITE_FLOAT: {
        const double real = std::trunc(sqlite3_value_double(value));
        if (!(real >= -kTwoTo63 && real < kTwoTo63)) {
            resultError(context, "Arithmetic overflow error converting expression to data type bigint.");
            return std::nullopt;
        }
        return static_cast<qint64>(real);
    }
    case SQLITE_TEXT: {
        NumberChars buffer;
        const std::string_view text = argumentText(value, buffer);
        const auto parsed = parseWholeNumber(text);
        if (!parsed)
            resultError(context, conversionFailed(text, "int"));
        return parsed;
    }
    default:
        resultError(context, "Operand type clash: varbinary is incompatible with int");
        return std::nullopt;
    }
}

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07u;
        minimum = 0x10000;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xDC00u + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byteAt(pos + i);
        if ((next & 0xC0u) != 0x80u) {
            ++pos;
            return 0xDC00u + lead;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return 0xDC00u + lead;
    }
    pos += length;
    return c;
}

char32_t foldCase(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

qint64 characterCount(std::string_view text) {
    qint64 count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u)
            ++count;
    }
    return count;
}

std::size_t bytesOfCharacters(std::string_view text, qint64 count) {
    std::size_t pos = 0;
    for (qint64 i = 0; i < count && pos < text.size(); ++i)
        nextCodePoint(text, pos);
    return pos;
}

void appendCodePoint(std::string& out, char32_t c) {
    const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (c >= 0xDC80 && c <= 0xDCFF) {
        // A malformed byte read by nextCodePoint() goes back out as the byte it was.
        put(c - 0xDC00);
    } else if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

void resultError(sqlite3_context* context, std::string_view message) {
    sqlite3_result_error(context, message.data(), static_cast<int>(message.size()));
}

void resultText(sqlite3_context* context, std::string_view text) {
    // A null pointer would make the result NULL instead of "".
    const char* const data = text.empty() ? "" : text.data();
    sqlite3_result_text64(context, data, text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void resultNumber(sqlite3_context* context, const Number& value) {
    if (value.isInteger)
        sqlite3_result_int64(context, value.integer);
    else
        sqlite3_result_double(context, value.real);
}

std::string concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts)
        text.append(part);
    return text;
}

std::string conversionFailed(std::string_view text, std::string_view typeName) {
    return concat(
        {"Conversion failed when converting the varchar value '", text, "' to data type ", typeName, "."});
}

} // namespace nerin::tsql
