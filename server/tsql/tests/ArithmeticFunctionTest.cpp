#include "FunctionTestDatabase.h"

TEST(ArithmeticFunction, PlusFollowsTheOperandTypesOfEachCall) {
    expectValues({
        {"nerin_add(1, 2)", "3"},
        {"nerin_add('a', 'b')", "'ab'"},
        {"nerin_add('ab', '')", "'ab'"},
        {"nerin_add(1, 0.5)", "1.5"},
        {"nerin_add(0.25, 0.5)", "0.75"},
        {"nerin_add(2, '3')", "5"},
        {"nerin_add('3', 2)", "5"},
        {"nerin_add(2, ' 1.5 ')", "3.5"},
        {"nerin_add(2.5, '1')", "3.5"},
        {"nerin_add(NULL, 1)", "NULL"},
        {"nerin_add('a', NULL)", "NULL"},
    });
}

TEST(ArithmeticFunction, PlusOnADateTimeTextAddsDaysEitherWayRound) {
    expectValues({
        {"nerin_add('2026-12-06 13:45:00.000', 1)", "'2026-12-07 13:45:00.000'"},
        {"nerin_add(1, '2026-12-06 13:45:00.000')", "'2026-12-07 13:45:00.000'"},
        {"nerin_add('2026-12-06 13:45:00.000', 0.5)", "'2026-12-07 01:45:00.000'"},
        {"nerin_add('2026-12-31', 1)", "'2027-01-01 00:00:00.000'"},
        {"nerin_add('2026-12-06 13:45:00.000', -7)", "'2026-11-29 13:45:00.000'"},
        // Two texts concatenate even when one is a date.
        {"nerin_add('2026-12-06', 'x')", "'2026-12-06x'"},
    });
}

TEST(ArithmeticFunction, MinusSubtractsNumbersAndMovesDatesBack) {
    expectValues({
        {"nerin_sub(5, 7)", "-2"},
        {"nerin_sub(5.5, 1)", "4.5"},
        {"nerin_sub('10', 4)", "6"},
        {"nerin_sub(10, '2.5')", "7.5"},
        {"nerin_sub('2026-03-01 00:00:00.000', 1)", "'2026-02-28 00:00:00.000'"},
        {"nerin_sub('2026-12-06 12:00:00.000', 0.25)", "'2026-12-06 06:00:00.000'"},
        {"nerin_sub(NULL, 1)", "NULL"},
    });
}

TEST(ArithmeticFunction, InvalidOperandsFailWithTsqlMessages) {
    expectValues({
        {"nerin_add(2, 'abc')",
         "error: Conversion failed when converting the varchar value 'abc' to data type int."},
        {"nerin_add(2.5, 'abc')", "error: Error converting data type varchar to float."},
        {"nerin_add(9223372036854775807, 1)",
         "error: Arithmetic overflow error converting expression to data type bigint."},
        {"nerin_sub(-9223372036854775807, 2)",
         "error: Arithmetic overflow error converting expression to data type bigint."},
        {"nerin_add(1e308, 1e308)",
         "error: Arithmetic overflow error converting expression to data type float."},
        {"nerin_add('2026-13-01', 1)",
         "error: Conversion failed when converting date and/or time from character string."},
        {"nerin_add('9999-12-31', 1)", "error: Adding a value to a 'datetime' column caused an overflow."},
        {"nerin_add(x'00', 1)", "error: Operand data type varbinary is invalid for add operator."},
        {"nerin_sub('a', 'b')", "error: Operand data type varchar is invalid for subtract operator."},
        {"nerin_sub(1, '2026-12-06')", "error: Operand data type datetime is invalid for subtract operator."},
    });
}

TEST(ArithmeticFunction, ColumnsOfMixedTypesAddRowByRow) {
    FunctionTestDatabase db;
    db.exec("CREATE TABLE t(id INTEGER PRIMARY KEY, a, b);"
            "INSERT INTO t(a, b) VALUES (1, 2), ('x', 'y'), (1.5, 1), ('2026-12-06 00:00:00.000', 2), (NULL, "
            "3);");
    EXPECT_EQ(db.rows("SELECT nerin_add(a, b) FROM t ORDER BY id"),
              "3|'xy'|2.5|'2026-12-08 00:00:00.000'|NULL");
}
