#include "server/tsql/SqlArithmeticFunctions.h"

#include "server/tsql/DateTimeText.h"
#include "server/tsql/SqlDateFunctions.h"

#include <cmath>
#include <string>

namespace nerin::tsql {

namespace {

enum class Operator { Add, Subtract };

std::string invalidOperand(std::string_view type, Operator op) {
    return concat({"Operand data type ", type, " is invalid for ", op == Operator::Add ? "add" : "subtract",
                   " operator."});
}

bool isDateText(int type, sqlite3_value* value) {
    if (type != SQLITE_TEXT)
        return false;
    NumberChars buffer;
    return hasCanonicalShape(argumentText(value, buffer));
}

// The date-time text moved by a number of days, forward or back.
void shiftDate(sqlite3_context* context, sqlite3_value* date, sqlite3_value* days, Operator op) {
    const auto start = dateArgument(context, date);
    if (!start)
        return;
    const double count = sqlite3_value_double(days);
    const auto result = addDays(*start, op == Operator::Add ? count : -count);
    if (!result) {
        resultError(context, "Adding a value to a 'datetime' column caused an overflow.");
        return;
    }
    resultDateTime(context, *result);
}

// A date less a date: the time between them, as the date that long after 1 January 1900.
void subtractDates(sqlite3_context* context, sqlite3_value* end, sqlite3_value* start) {
    const auto later = dateArgument(context, end);
    if (!later)
        return;
    const auto earlier = dateArgument(context, start);
    if (!earlier)
        return;
    const auto result = fromDaysSince1900(daysSince1900(*later) - daysSince1900(*earlier));
    if (!result) {
        resultError(context, "Adding a value to a 'datetime' column caused an overflow.");
        return;
    }
    resultDateTime(context, *result);
}

// An operand as a number: as stored, or text converted the way T-SQL converts it for the other
// operand's type.
std::optional<Number> operand(sqlite3_context* context, sqlite3_value* value, bool otherIsInteger) {
    if (const auto number = storedNumber(value))
        return number;
    NumberChars buffer;
    const std::string_view text = argumentText(value, buffer);
    const auto parsed = parseNumber(text);
    if (!parsed) {
        resultError(context, otherIsInteger ? conversionFailed(text, "int")
                                            : std::string("Error converting data type varchar to float."));
    }
    return parsed;
}

void resultIntegers(sqlite3_context* context, qint64 a, qint64 b, Operator op) {
    qint64 result = 0;
    const bool overflow =
        op == Operator::Add ? __builtin_add_overflow(a, b, &result) : __builtin_sub_overflow(a, b, &result);
    if (overflow)
        resultError(context, "Arithmetic overflow error converting expression to data type bigint.");
    else
        sqlite3_result_int64(context, result);
}

template <Operator op> void arithmeticFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const int typeA = sqlite3_value_type(argv[0]);
    const int typeB = sqlite3_value_type(argv[1]);
    if (typeA == SQLITE_NULL || typeB == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    if (typeA == SQLITE_BLOB || typeB == SQLITE_BLOB) {
        resultError(context, invalidOperand("varbinary", op));
        return;
    }
    // The common case first: no text involved, so no text is touched.
    if (typeA == SQLITE_INTEGER && typeB == SQLITE_INTEGER) {
        resultIntegers(context, sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), op);
        return;
    }
    if (typeA == SQLITE_TEXT && typeB == SQLITE_TEXT) {
        if (op == Operator::Subtract && isDateText(typeA, argv[0]) && isDateText(typeB, argv[1])) {
            subtractDates(context, argv[0], argv[1]);
            return;
        }
        if (op == Operator::Subtract) {
            resultError(context, invalidOperand("varchar", op));
            return;
        }
        NumberChars bufferA;
        NumberChars bufferB;
        std::string joined(argumentText(argv[0], bufferA));
        joined.append(argumentText(argv[1], bufferB));
        resultText(context, joined);
        return;
    }
    // One operand is a number; the other may be a date-time text.
    if (isDateText(typeA, argv[0])) {
        shiftDate(context, argv[0], argv[1], op);
        return;
    }
    if (isDateText(typeB, argv[1])) {
        if (op == Operator::Subtract)
            resultError(context, invalidOperand("datetime", op));
        else
            shiftDate(context, argv[1], argv[0], op);
        return;
    }
    const auto a = operand(context, argv[0], typeB == SQLITE_INTEGER);
    if (!a)
        return;
    const auto b = operand(context, argv[1], typeA == SQLITE_INTEGER);
    if (!b)
        return;
    if (a->isInteger && b->isInteger) {
        resultIntegers(context, a->integer, b->integer, op);
        return;
    }
    const double result = op == Operator::Add ? a->toDouble() + b->toDouble() : a->toDouble() - b->toDouble();
    if (!std::isfinite(result)) {
        resultError(context, "Arithmetic overflow error converting expression to data type float.");
        return;
    }
    sqlite3_result_double(context, result);
}

constexpr FunctionEntry kArithmeticFunctions[] = {
    {"nerin_add", 2, true, arithmeticFunction<Operator::Add>},
    {"nerin_sub", 2, true, arithmeticFunction<Operator::Subtract>},
};

} // namespace

std::span<const FunctionEntry> arithmeticFunctions() {
    return kArithmeticFunctions;
}

} // namespace nerin::tsql
