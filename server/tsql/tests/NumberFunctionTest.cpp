#include "FunctionTestDatabase.h"

TEST(NumberFunction, RoundGoesHalfAwayFromZeroOnTheWrittenDigits) {
    expectValues({
        {"nerin_round(2.675, 2)", "2.68"},
        {"nerin_round(-2.675, 2)", "-2.68"},
        {"nerin_round(2.5, 0)", "3.0"},
        {"nerin_round(-2.5, 0)", "-3.0"},
        {"nerin_round(0.5, 0)", "1.0"},
        {"nerin_round(999.5, 0)", "1000.0"},
        {"nerin_round(0.1 + 0.2, 2)", "0.3"},
        {"nerin_round(748.58, -2)", "700.0"},
        {"nerin_round(748.58, -4)", "0.0"},
        {"nerin_round(1234.5678, 2, 1)", "1234.56"},
        {"nerin_round(-1234.5678, 2, 1)", "-1234.56"},
        {"nerin_round(1234, 2)", "1234"},
        {"nerin_round(1234, -2)", "1200"},
        {"nerin_round(1250, -2)", "1300"},
        {"nerin_round(-1250, -2)", "-1300"},
        {"nerin_round(1299, -2, 1)", "1200"},
        {"nerin_round(5, -1)", "10"},
        {"nerin_round(4, -1)", "0"},
        {"nerin_round('12.345', 2)", "12.35"},
        {"nerin_round(NULL, 2)", "NULL"},
        {"nerin_round(1.5, NULL)", "NULL"},
        {"nerin_round(9223372036854775807, -1)",
         "error: Arithmetic overflow error converting expression to data type bigint."},
        {"nerin_round('abc', 1)", "error: Error converting data type varchar to float."},
    });
}

TEST(NumberFunction, StrRightAlignsAndGivesUpPlacesBeforeStars) {
    expectValues({
        {"nerin_str(12)", "'        12'"},
        {"nerin_str(-2.5)", "'        -3'"},
        {"nerin_str(0.5)", "'         1'"},
        {"nerin_str(3.14159, 10, 3)", "'     3.142'"},
        {"nerin_str(123.45, 6, 2)", "'123.45'"},
        {"nerin_str(123.45, 5, 2)", "'123.5'"},
        {"nerin_str(123.45, 4, 2)", "' 123'"},
        {"nerin_str(1223, 2)", "'**'"},
        {"nerin_str(-123, 3)", "'***'"},
        {"nerin_str('12.5', 5, 1)", "' 12.5'"},
        {"nerin_str(1, 5, 20)", "'1.000'"},
        {"nerin_str(1, 0)", "NULL"},
        {"nerin_str(1, 5, -1)", "NULL"},
        {"nerin_str(NULL)", "NULL"},
        {"nerin_str('x')", "error: Error converting data type varchar to float."},
    });
}

TEST(NumberFunction, IsNumericAcceptsWhatSomeNumericTypeWouldTake) {
    expectValues({
        {"nerin_isnumeric('12')", "1"},
        {"nerin_isnumeric(' 12 ')", "1"},
        {"nerin_isnumeric('-12.5')", "1"},
        {"nerin_isnumeric('1e5')", "1"},
        {"nerin_isnumeric('1d2')", "1"},
        {"nerin_isnumeric('$12')", "1"},
        {"nerin_isnumeric('1,000')", "1"},
        {"nerin_isnumeric('.')", "1"},
        {"nerin_isnumeric('-')", "1"},
        {"nerin_isnumeric(12)", "1"},
        {"nerin_isnumeric(1.5)", "1"},
        {"nerin_isnumeric('')", "0"},
        {"nerin_isnumeric('abc')", "0"},
        {"nerin_isnumeric('12a')", "0"},
        {"nerin_isnumeric('1e')", "0"},
        {"nerin_isnumeric('e5')", "0"},
        {"nerin_isnumeric('1 2')", "0"},
        {"nerin_isnumeric(NULL)", "0"},
    });
}
