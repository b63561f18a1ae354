#include "server/tsql/SqlTypeFunctions.h"

#include "server/tsql/SqlValueFunctions.h"

#include <algorithm>
#include <array>
#include <limits>

namespace nerin::tsql {

namespace {

struct BaseType {
    std::string_view spelling;
    TypeKind kind;
    std::string_view name;
    qint64 minimum = 0;
    qint64 maximum = 0;
    bool national = false;
};

constexpr qint64 kInt64Min = std::numeric_limits<qint64>::min();
constexpr qint64 kInt64Max = std::numeric_limits<qint64>::max();

constexpr BaseType kBaseTypes[] = {
    {"bigint", TypeKind::Integer, "bigint", kInt64Min, kInt64Max},
    {"int", TypeKind::Integer, "int", -2147483648LL, 2147483647LL},
    {"integer", TypeKind::Integer, "int", -2147483648LL, 2147483647LL},
    {"smallint", TypeKind::Integer, "smallint", -32768, 32767},
    {"tinyint", TypeKind::Integer, "tinyint", 0, 255},
    {"bit", TypeKind::Bit, "bit"},
    {"money", TypeKind::Money, "money"},
    {"smallmoney", TypeKind::Money, "smallmoney"},
    {"decimal", TypeKind::Decimal, "numeric"},
    {"dec", TypeKind::Decimal, "numeric"},
    {"numeric", TypeKind::Decimal, "numeric"},
    {"float", TypeKind::Float, "float"},
    {"real", TypeKind::Real, "real"},
    {"char", TypeKind::Char, "char"},
    {"character", TypeKind::Char, "char"},
    {"nchar", TypeKind::Char, "nchar", 0, 0, true},
    {"varchar", TypeKind::VarChar, "varchar"},
    {"nvarchar", TypeKind::VarChar, "nvarchar", 0, 0, true},
    {"text", TypeKind::VarChar, "text"},
    {"ntext", TypeKind::VarChar, "ntext", 0, 0, true},
    {"datetime", TypeKind::DateTime, "datetime"},
    {"datetime2", TypeKind::DateTime, "datetime2"},
    {"smalldatetime", TypeKind::SmallDateTime, "smalldatetime"},
    {"date", TypeKind::Date, "date"},
};

// The type's arguments ("10", "10,2", "max"), "max" as -1; no value when malformed.
std::optional<std::array<qint64, 2>> typeArguments(std::string_view text, std::size_t& count) {
    std::array<qint64, 2> values{};
    count = 0;
    if (text.empty())
        return values;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const bool digitsOnly = !item.empty() && item.size() <= 9 &&
                                item.find_first_not_of("0123456789") == std::string_view::npos;
        if (count == values.size() || (!digitsOnly && item != "max"))
            return std::nullopt;
        values[count++] = digitsOnly ? *parseWholeNumber(item) : -1;
        if (comma == std::string_view::npos)
            return values;
        text.remove_prefix(comma + 1);
    }
}

bool applyArguments(TargetType& type, const std::array<qint64, 2>& args, std::size_t count,
                    std::string& error) {
    const bool withMax = (count > 0 && args[0] < 0) || (count > 1 && args[1] < 0);
    switch (type.kind) {
    case TypeKind::Decimal:
        if (withMax)
            return false;
        if (count > 0)
            type.precision = static_cast<int>(std::min<qint64>(args[0], 1000));
        type.scale = count > 1 ? static_cast<int>(std::min<qint64>(args[1], 1000)) : 0;
        if (type.precision < 1 || type.precision > 38) {
            error = concat({"Specified column precision ", std::to_string(type.precision),
                            " is greater than the maximum precision of 38."});
            return false;
        }
        return type.scale <= type.precision;
    case TypeKind::Float:
        if (count > 1 || withMax || (count == 1 && (args[0] < 1 || args[0] > 53)))
            return false;
        if (count == 1 && args[0] <= 24)
            type.kind = TypeKind::Real;
        return true;
    case TypeKind::Char:
    case TypeKind::VarChar: {
        if (type.name == "text" || type.name == "ntext")
            return count == 0;
        if (count > 1)
            return false;
        if (count == 0) {
            type.length = 30;
            return true;
        }
        if (args[0] < 0)
            return type.kind == TypeKind::VarChar;
        const qint64 limit = type.national ? 4000 : 8000;
        if (args[0] < 1 || args[0] > limit) {
            error =
                concat({"The size (", std::to_string(args[0]), ") given to the type '", type.name,
                        "' exceeds the maximum allowed for any data type (", std::to_string(limit), ")."});
            return false;
        }
        type.length = args[0];
        return true;
    }
    default:
        return count == 0;
    }
}

} // namespace

std::optional<TargetType> parseTargetType(std::string_view text, std::string& error) {
    std::string normalized;
    for (const char c : text) {
        if (!isSpaceChar(c))
            normalized.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    error = concat({"Type ", trimSpaces(text), " is not a defined system type."});
    const std::size_t open = std::min(normalized.find('('), normalized.size());
    const std::string_view base = std::string_view(normalized).substr(0, open);
    std::string_view arguments;
    if (open < normalized.size()) {
        if (normalized.back() != ')' || normalized.size() - open < 3)
            return std::nullopt;
        arguments = std::string_view(normalized).substr(open + 1, normalized.size() - open - 2);
    }
    for (const BaseType& entry : kBaseTypes) {
        if (entry.spelling != base)
            continue;
        TargetType type;
        type.kind = entry.kind;
        type.name = entry.name;
        type.minimum = entry.minimum;
        type.maximum = entry.maximum;
        type.national = entry.national;
        std::size_t count = 0;
        const auto values = typeArguments(arguments, count);
        if (!values || !applyArguments(type, *values, count, error))
            return std::nullopt;
        return type;
    }
    return std::nullopt;
}

} // namespace nerin::tsql
