#include "server/tsql/SqlNumberFunctions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace nerin::tsql {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isZero(const DecimalDigits& value) {
    const auto zero = [](char c) { return c == '0'; };
    return std::all_of(value.whole.begin(), value.whole.end(), zero) &&
           std::all_of(value.fraction.begin(), value.fraction.end(), zero);
}

void dropLeadingZeros(std::string& digits) {
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
}

// Adds one to the last digit; returns whether a new leading digit was needed.
bool increment(std::string& digits) {
    for (auto i = digits.size(); i > 0; --i) {
        if (digits[i - 1] != '9') {
            ++digits[i - 1];
            return false;
        }
        digits[i - 1] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// The number an argument of ROUND or STR stands for: numbers as they are, text read as a number.
std::optional<Number> numericArgument(sqlite3_context* context, sqlite3_value* value) {
    if (const auto number = storedNumber(value))
        return number;
    NumberChars buffer;
    const auto parsed =
        sqlite3_value_type(value) == SQLITE_TEXT ? parseNumber(argumentText(value, buffer)) : std::nullopt;
    if (!parsed || (!parsed->isInteger && !std::isfinite(parsed->real)))
        resultError(context, "Error converting data type varchar to float.");
    return parsed;
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

void roundFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto value = numericArgument(context, argv[0]);
    if (!value)
        return;
    const auto places = integerArgument(context, argv[1]);
    if (!places)
        return;
    bool truncate = false;
    if (argc == 3) {
        const auto mode = integerArgument(context, argv[2]);
        if (!mode)
            return;
        truncate = *mode != 0;
    }
    // A double has no digits beyond these, so more places change nothing.
    const int decimals = static_cast<int>(std::clamp<qint64>(*places, -400, 400));
    if (!value->isInteger) {
        sqlite3_result_double(context, toDouble(rounded(decimalDigits(value->real), decimals, truncate)));
        return;
    }
    if (decimals >= 0) {
        sqlite3_result_int64(context, value->integer);
        return;
    }
    const auto result = wholeAsInteger(rounded(decimalDigits(value->integer), decimals, truncate));
    if (!result) {
        resultError(context, "Arithmetic overflow error converting expression to data type bigint.");
        return;
    }
    sqlite3_result_int64(context, *result);
}

void strFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto value = numericArgument(context, argv[0]);
    if (!value)
        return;
    qint64 length = 10;
    qint64 places = 0;
    if (argc >= 2) {
        const auto parsed = integerArgument(context, argv[1]);
        if (!parsed)
            return;
        length = *parsed;
    }
    if (argc == 3) {
        const auto parsed = integerArgument(context, argv[2]);
        if (!parsed)
            return;
        places = *parsed;
    }
    if (length <= 0 || length > 8000 || places < 0) {
        sqlite3_result_null(context);
        return;
    }
    const DecimalDigits digits = decimalDigits(*value);
    const auto width = static_cast<std::size_t>(length);
    // As many places as asked (at most 16) when they fit, else fewer.
    for (int decimals = static_cast<int>(std::min<qint64>(places, 16)); decimals >= 0; --decimals) {
        const std::string text = decimalText(rounded(digits, decimals));
        if (text.size() <= width) {
            resultText(context, std::string(width - text.size(), ' ') + text);
            return;
        }
    }
    resultText(context, std::string(width, '*'));
}

// ISNUMERIC accepts whatever converts to some numeric type, money included: a "$", commas among the
// digits, an exponent written with "e" or "d", and even a lone sign, point, comma or "$".
bool looksNumeric(std::string_view text) {
    text = trimSpaces(text);
    std::size_t pos = 0;
    const auto accept = [&](auto predicate) {
        if (pos < text.size() && predicate(text[pos])) {
            ++pos;
            return true;
        }
        return false;
    };
    const auto isSign = [](char c) { return c == '+' || c == '-'; };
    const bool signFirst = accept(isSign);
    const bool currency = accept([](char c) { return c == '$'; });
    if (currency && !signFirst)
        accept(isSign);
    std::size_t digits = 0;
    while (pos < text.size() && (isDigit(text[pos]) || text[pos] == ',')) {
        if (isDigit(text[pos]))
            ++digits;
        ++pos;
    }
    if (accept([](char c) { return c == '.'; })) {
        while (accept(isDigit))
            ++digits;
    }
    if (digits > 0 && accept([](char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; })) {
        accept(isSign);
        if (!accept(isDigit))
            return false;
        while (accept(isDigit)) {
        }
    }
    return pos > 0 && pos == text.size();
}

void isNumericFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    bool numeric = false;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        numeric = true;
        break;
    case SQLITE_TEXT: {
        NumberChars buffer;
        numeric = looksNumeric(argumentText(argv[0], buffer));
        break;
    }
    default:
        break;
    }
    sqlite3_result_int(context, numeric ? 1 : 0);
}

constexpr FunctionEntry kNumberFunctions[] = {
    {"nerin_round", 2, true, roundFunction}, {"nerin_round", 3, true, roundFunction},
    {"nerin_str", 1, true, strFunction},     {"nerin_str", 2, true, strFunction},
    {"nerin_str", 3, true, strFunction},     {"nerin_isnumeric", 1, true, isNumericFunction},
};

} // namespace

std::optional<DecimalDigits> decimalDigits(std::string_view text, bool moneySyntax) {
    text = trimSpaces(text);
    DecimalDigits result;
    std::size_t pos = 0;
    const auto acceptSign = [&] {
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
            result.negative = text[pos] == '-';
            ++pos;
            return true;
        }
        return false;
    };
    const bool hasSign = acceptSign();
    if (moneySyntax && pos < text.size() && text[pos] == '$') {
        ++pos;
        if (!hasSign)
            acceptSign();
    }
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos) {
        if (isDigit(text[pos]))
            result.whole.push_back(text[pos]);
        else if (!(moneySyntax && text[pos] == ',' && digits > 0))
            break;
        digits = result.whole.size();
    }
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos)
            result.fraction.push_back(text[pos]);
    }
    if (pos != text.size() || result.whole.size() + result.fraction.size() == 0)
        return std::nullopt;
    dropLeadingZeros(result.whole);
    if (isZero(result))
        result.negative = false;
    return result;
}

DecimalDigits decimalDigits(double value) {
    // The largest doubles have 309 whole digits and the smallest some 330 fraction characters.
    char buffer[512];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return decimalDigits(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)))
        .value_or(DecimalDigits());
}

DecimalDigits decimalDigits(qint64 value) {
    NumberChars buffer;
    return decimalDigits(numberText(Number::fromInteger(value), buffer)).value_or(DecimalDigits());
}

DecimalDigits decimalDigits(const Number& value) {
    return value.isInteger ? decimalDigits(value.integer) : decimalDigits(value.real);
}

DecimalDigits rounded(DecimalDigits value, int decimals, bool truncate) {
    std::string digits = value.whole + value.fraction;
    auto point = static_cast<qint64>(value.whole.size());
    const qint64 cut = point + decimals;
    const auto places = static_cast<std::size_t>(std::max(decimals, 0));
    if (cut >= static_cast<qint64>(digits.size())) {
        value.fraction.resize(places, '0');
        return value;
    }
    std::string kept;
    if (cut >= 0) {
        const bool roundUp = !truncate && digits[static_cast<std::size_t>(cut)] >= '5';
        kept = digits.substr(0, static_cast<std::size_t>(cut));
        if (roundUp && increment(kept))
            ++point;
    }
    if (decimals >= 0) {
        const auto wholeSize = std::min(static_cast<std::size_t>(point), kept.size());
        value.whole = kept.substr(0, wholeSize);
        value.fraction = kept.substr(wholeSize);
        value.fraction.resize(places, '0');
    } else {
        value.whole =
            kept.empty() ? std::string() : kept + std::string(static_cast<std::size_t>(-decimals), '0');
        value.fraction.clear();
    }
    dropLeadingZeros(value.whole);
    if (isZero(value))
        value.negative = false;
    return value;
}

std::string decimalText(const DecimalDigits& value, bool groupThousands) {
    std::string text = value.negative && !isZero(value) ? "-" : "";
    if (value.whole.empty()) {
        text.push_back('0');
    } else if (!groupThousands) {
        text.append(value.whole);
    } else {
        for (std::size_t i = 0; i < value.whole.size(); ++i) {
            if (i > 0 && (value.whole.size() - i) % 3 == 0)
                text.push_back(',');
            text.push_back(value.whole[i]);
        }
    }
    if (!value.fraction.empty()) {
        text.push_back('.');
        text.append(value.fraction);
    }
    return text;
}

double toDouble(const DecimalDigits& value) {
    const std::string text = decimalText(value);
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::optional<qint64> wholeAsInteger(const DecimalDigits& value) {
    const std::string text =
        (value.negative ? "-" : "") + (value.whole.empty() ? std::string("0") : value.whole);
    return parseWholeNumber(text);
}

std::span<const FunctionEntry> numberFunctions() {
    return kNumberFunctions;
}

} // namespace nerin::tsql
