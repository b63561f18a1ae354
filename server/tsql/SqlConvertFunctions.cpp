#include "server/tsql/SqlConvertFunctions.h"

#include "server/tsql/DateTimeText.h"
#include "server/tsql/SqlDateFunctions.h"
#include "server/tsql/SqlNumberFunctions.h"
#include "server/tsql/SqlStyleFunctions.h"
#include "text/Cp1252.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace nerin::tsql {

namespace {

std::string arithmeticOverflow(std::string_view from, std::string_view to) {
    return concat({"Arithmetic overflow error converting ", from, " to data type ", to, "."});
}

std::string_view sourceName(int type) {
    switch (type) {
    case SQLITE_INTEGER:
        return "int";
    case SQLITE_FLOAT:
        return "float";
    case SQLITE_BLOB:
        return "varbinary";
    default:
        return "varchar";
    }
}

// A datetime converts to whole days rounded to the nearest: from noon on, the next day.
qint64 wholeDays(const LocalDateTime& value) {
    return static_cast<qint64>(std::floor(daysSince1900(value) + 0.5));
}

// "The conversion of the varchar value '99999999999' overflowed an int column."
std::string overflowedColumn(std::string_view text, std::string_view typeName) {
    return concat({"The conversion of the varchar value '", text, "' overflowed ",
                   typeName == "int" ? "an " : "a ", typeName, " column."});
}

// The integer types; a stored date-time counts its days, rounded to the nearest.
void toInteger(sqlite3_context* context, sqlite3_value* value, const TargetType& type) {
    const int stored = sqlite3_value_type(value);
    qint64 result = 0;
    if (stored == SQLITE_INTEGER) {
        result = sqlite3_value_int64(value);
    } else if (stored == SQLITE_FLOAT) {
        const double real = std::trunc(sqlite3_value_double(value));
        if (!(real >= -9223372036854775808.0 && real < 9223372036854775808.0)) {
            resultError(context, arithmeticOverflow("expression", type.name));
            return;
        }
        result = static_cast<qint64>(real);
    } else if (stored == SQLITE_BLOB) {
        // The bytes as a big-endian number, only as many of the last ones as the type holds.
        const auto* bytes = static_cast<const unsigned char*>(sqlite3_value_blob(value));
        const int size = sqlite3_value_bytes(value);
        const int width = type.maximum <= 255          ? 1
                          : type.maximum <= 32767      ? 2
                          : type.maximum <= 2147483647 ? 4
                                                       : 8;
        quint64 bits = 0;
        for (int k = std::max(0, size - width); k < size; ++k)
            bits = (bits << 8) | bytes[k];
        result = static_cast<qint64>(bits);
        if (width < 8 && type.minimum < 0 && (bits >> (width * 8 - 1)) != 0)
            result -= qint64{1} << (width * 8); // the sign bit of the type's width
    } else {
        NumberChars buffer;
        const std::string_view text = argumentText(value, buffer);
        if (hasCanonicalShape(text)) {
            const auto date = dateArgument(context, value);
            if (!date)
                return;
            result = wholeDays(*date);
        } else if (!trimSpaces(text).empty()) {
            bool tooLarge = false;
            const auto parsed = parseWholeNumber(text, &tooLarge);
            if (!parsed || *parsed < type.minimum || *parsed > type.maximum) {
                resultError(context, parsed || tooLarge ? overflowedColumn(text, type.name)
                                                        : conversionFailed(text, type.name));
                return;
            }
            result = *parsed;
        }
    }
    if (result < type.minimum || result > type.maximum) {
        resultError(context, arithmeticOverflow("expression", type.name));
        return;
    }
    sqlite3_result_int64(context, result);
}

void toBit(sqlite3_context* context, sqlite3_value* value) {
    const int stored = sqlite3_value_type(value);
    if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) {
        sqlite3_result_int(context, sqlite3_value_double(value) != 0 ? 1 : 0);
        return;
    }
    NumberChars buffer;
    const std::string_view text = argumentText(value, buffer);
    const std::string_view word = trimSpaces(text);
    if (equalsIgnoringAsciiCase(word, "true") || equalsIgnoringAsciiCase(word, "false") || word.empty()) {
        sqlite3_result_int(context, equalsIgnoringAsciiCase(word, "true") ? 1 : 0);
        return;
    }
    if (const auto number = parseNumber(word)) {
        sqlite3_result_int(context, number->toDouble() != 0 ? 1 : 0);
        return;
    }
    resultError(context, conversionFailed(text, "bit"));
}

// money, smallmoney, decimal and numeric.
void toDecimal(sqlite3_context* context, sqlite3_value* value, const TargetType& type) {
    const int stored = sqlite3_value_type(value);
    const bool money = type.kind == TypeKind::Money;
    std::optional<DecimalDigits> digits;
    if (const auto number = storedNumber(value)) {
        digits = decimalDigits(*number);
    } else if (stored == SQLITE_TEXT) {
        NumberChars buffer;
        const std::string_view text = argumentText(value, buffer);
        digits = money && trimSpaces(text).empty() ? DecimalDigits() : decimalDigits(text, money);
    }
    if (!digits) {
        resultError(context,
                    money ? "Cannot convert a char value to money. The char value has incorrect syntax."
                          : concat({"Error converting data type ", sourceName(stored), " to numeric."}));
        return;
    }
    const int scale = money ? 4 : type.scale;
    const DecimalDigits result = rounded(*digits, scale);
    const double real = toDouble(result);
    const double moneyLimit = type.name == "smallmoney" ? 214748.3647 : 922337203685477.5807;
    const bool overflow = money ? std::fabs(real) > moneyLimit
                                : static_cast<qint64>(result.whole.size()) > type.precision - type.scale;
    if (overflow) {
        resultError(context, arithmeticOverflow(money ? std::string_view("expression") : sourceName(stored),
                                                type.name));
        return;
    }
    if (!money && scale == 0) {
        if (const auto integer = wholeAsInteger(result)) {
            sqlite3_result_int64(context, *integer);
            return;
        }
    }
    sqlite3_result_double(context, real);
}

void toFloat(sqlite3_context* context, sqlite3_value* value, const TargetType& type) {
    double result = 0;
    if (const auto number = storedNumber(value)) {
        result = number->toDouble();
    } else {
        NumberChars buffer;
        const std::string_view text = argumentText(value, buffer);
        if (hasCanonicalShape(text)) {
            const auto date = dateArgument(context, value);
            if (!date)
                return;
            result = daysSince1900(*date);
        } else if (!trimSpaces(text).empty()) {
            const auto parsed = sqlite3_value_type(value) == SQLITE_TEXT ? parseNumber(text) : std::nullopt;
            if (!parsed) {
                resultError(context, concat({"Error converting data type ",
                                             sourceName(sqlite3_value_type(value)), " to float."}));
                return;
            }
            result = parsed->toDouble();
        }
    }
    if (type.kind == TypeKind::Real) {
        if (std::fabs(result) > FLT_MAX) {
            resultError(context, arithmeticOverflow("expression", "real"));
            return;
        }
        result = static_cast<double>(static_cast<float>(result));
    }
    sqlite3_result_double(context, result);
}

void toText(sqlite3_context* context, sqlite3_value* value, const TargetType& type,
            std::optional<qint64> style) {
    const int stored = sqlite3_value_type(value);
    NumberChars buffer;
    std::string_view text = argumentText(value, buffer);
    // Only what is rewritten is copied; a plain text goes out as it came.
    std::string rewritten;
    if (stored == SQLITE_FLOAT && style && (*style == 1 || *style == 2)) {
        // The money styles: two places with thousands commas, or four places.
        const DecimalDigits digits = decimalDigits(sqlite3_value_double(value));
        rewritten = *style == 1 ? decimalText(rounded(digits, 2), true) : decimalText(rounded(digits, 4));
        text = rewritten;
    } else if (stored == SQLITE_BLOB) {
        // Each byte is one character of the code page.
        rewritten =
            Cp1252::decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))).toStdString();
        text = rewritten;
    } else if (stored == SQLITE_TEXT) {
        // A stored date-time has exactly the canonical length; other texts are dates only when a style
        // says how to write them.
        const bool asDate = style.has_value() || (text.size() == kCanonicalLength && hasCanonicalShape(text));
        if (const auto date = asDate ? parseDateTimeText(text) : std::nullopt) {
            rewritten = dateTimeInStyle(*date, style.value_or(0));
            text = rewritten;
        }
    }
    if (!type.length) {
        resultText(context, text);
        return;
    }
    if ((stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) && characterCount(text) > *type.length) {
        if (stored == SQLITE_FLOAT || type.national) {
            resultError(context, arithmeticOverflow(sourceName(stored), type.name));
            return;
        }
        text = "*";
    }
    text = text.substr(0, bytesOfCharacters(text, *type.length));
    const qint64 padding = type.kind == TypeKind::Char ? *type.length - characterCount(text) : 0;
    if (padding <= 0) {
        resultText(context, text);
        return;
    }
    std::string padded(text);
    padded.append(static_cast<std::size_t>(padding), ' ');
    resultText(context, padded);
}

void toDateTime(sqlite3_context* context, sqlite3_value* value, const TargetType& type,
                std::optional<qint64> style) {
    std::optional<LocalDateTime> date;
    if (const auto number = storedNumber(value)) {
        date = fromDaysSince1900(number->toDouble());
        if (!date) {
            resultError(context, arithmeticOverflow("expression", type.name));
            return;
        }
    } else {
        NumberChars buffer;
        const std::string_view text = argumentText(value, buffer);
        if (trimSpaces(text).empty())
            date = fromDaysSince1900(0);
        else if (sqlite3_value_type(value) == SQLITE_TEXT)
            date = parseDateTimeText(text, style ? readingForStyle(*style) : DateReading());
        if (!date) {
            resultError(context, kDateConversionFailed);
            return;
        }
    }
    if (type.kind == TypeKind::Date) {
        date->time = QTime(0, 0);
    } else if (type.kind == TypeKind::SmallDateTime) {
        // From 29.999 seconds up, a smalldatetime rounds to the next minute.
        const int minutes = (date->time.msecsSinceStartOfDay() + 30001) / 60000;
        date->time = QTime(0, 0).addSecs(minutes * 60);
        if (minutes == 24 * 60)
            date->date = date->date.addDays(1);
    }
    bool inRange = date->date.year() <= 9999;
    if (type.kind == TypeKind::SmallDateTime)
        inRange = date->date >= QDate(1900, 1, 1) && date->date <= QDate(2079, 6, 6);
    else if (type.name == "datetime")
        inRange = inRange && date->date.year() >= 1753;
    if (!inRange) {
        resultError(context, concat({"The conversion of a varchar data type to a ", type.name,
                                     " data type resulted in an out-of-range value."}));
        return;
    }
    resultDateTime(context, *date);
}

void convertFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    NumberChars typeBuffer;
    std::string error;
    const auto type = parseTargetType(argumentText(argv[0], typeBuffer), error);
    if (!type) {
        resultError(context, error);
        return;
    }
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL ||
        (argc == 3 && sqlite3_value_type(argv[2]) == SQLITE_NULL)) {
        sqlite3_result_null(context);
        return;
    }
    std::optional<qint64> style;
    if (argc == 3) {
        style = integerArgument(context, argv[2]);
        if (!style)
            return;
    }
    switch (type->kind) {
    case TypeKind::Integer:
        return toInteger(context, argv[1], *type);
    case TypeKind::Bit:
        return toBit(context, argv[1]);
    case TypeKind::Money:
    case TypeKind::Decimal:
        return toDecimal(context, argv[1], *type);
    case TypeKind::Float:
    case TypeKind::Real:
        return toFloat(context, argv[1], *type);
    case TypeKind::Char:
    case TypeKind::VarChar:
        return toText(context, argv[1], *type, style);
    case TypeKind::DateTime:
    case TypeKind::SmallDateTime:
    case TypeKind::Date:
        return toDateTime(context, argv[1], *type, style);
    }
}

constexpr FunctionEntry kConvertFunctions[] = {
    {"nerin_convert", 2, true, convertFunction},
    {"nerin_convert", 3, true, convertFunction},
};

} // namespace

std::span<const FunctionEntry> convertFunctions() {
    return kConvertFunctions;
}

} // namespace nerin::tsql
