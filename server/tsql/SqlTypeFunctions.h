#pragma once

#include <QtGlobal>
#include <optional>
#include <string>
#include <string_view>

// The T-SQL data types that CONVERT and CAST name, as written in a statement.
namespace nerin::tsql {

enum class TypeKind {
    Integer,
    Bit,
    Money,
    Decimal,
    Float,
    Real,
    Char,
    VarChar,
    DateTime,
    SmallDateTime,
    Date
};

struct TargetType {
    TypeKind kind = TypeKind::VarChar;
    // As T-SQL's messages name it: "int", "numeric", "varchar"...
    std::string_view name;
    // Integers: the range.
    qint64 minimum = 0;
    qint64 maximum = 0;
    // Decimals: digits in all and after the point.
    int precision = 18;
    int scale = 0;
    // Texts: characters, or none for no limit.
    std::optional<qint64> length;
    // nchar and nvarchar, which refuse integers that do not fit instead of writing "*".
    bool national = false;
};

// The type as written (any case, spaces anywhere); no value for an unknown or malformed type, with
// T-SQL's message in `error`.
std::optional<TargetType> parseTargetType(std::string_view text, std::string& error);

} // namespace nerin::tsql
