#include "FunctionTestDatabase.h"

TEST(ConvertFunction, IntegerTypesTakeWholeNumbersAndCheckTheirRange) {
    expectValues({
        {"nerin_convert('int', '42')", "42"},
        {"nerin_convert('INT', ' -7 ')", "-7"},
        {"nerin_convert('int', '')", "0"},
        {"nerin_convert('int', 12.9)", "12"},
        {"nerin_convert('int', -12.9)", "-12"},
        {"nerin_convert('bigint', '3000000000')", "3000000000"},
        {"nerin_convert('smallint', 32767)", "32767"},
        {"nerin_convert('int', '12.5')",
         "error: Conversion failed when converting the varchar value '12.5' to data type int."},
        {"nerin_convert('int', 'abc')",
         "error: Conversion failed when converting the varchar value 'abc' to data type int."},
        {"nerin_convert('int', 3000000000)",
         "error: Arithmetic overflow error converting expression to data type int."},
        {"nerin_convert('int', '3000000000')",
         "error: The conversion of the varchar value '3000000000' overflowed an int column."},
        {"nerin_convert('tinyint', -1)",
         "error: Arithmetic overflow error converting expression to data type tinyint."},
        {"nerin_convert('int', 1e300)",
         "error: Arithmetic overflow error converting expression to data type int."},
        // A date-time counts its days since 1900-01-01, from noon on rounding up.
        {"nerin_convert('int', '2026-12-06 11:59:00.000')", "46360"},
        {"nerin_convert('int', '2026-12-06 12:00:00.000')", "46361"},
    });
}

TEST(ConvertFunction, BitMoneyAndDecimalRoundHalfAwayFromZero) {
    expectValues({
        {"nerin_convert('bit', 5)", "1"},
        {"nerin_convert('bit', 0.0)", "0"},
        {"nerin_convert('bit', ' TRUE ')", "1"},
        {"nerin_convert('bit', 'false')", "0"},
        {"nerin_convert('bit', 'x')",
         "error: Conversion failed when converting the varchar value 'x' to data type bit."},
        {"nerin_convert('money', 12.34567)", "12.3457"},
        {"nerin_convert('money', 2.00005)", "2.0001"},
        {"nerin_convert('money', '1,234.5')", "1234.5"},
        {"nerin_convert('money', '$12.5')", "12.5"},
        {"nerin_convert('money', 7)", "7.0"},
        {"nerin_convert('money', 'abc')",
         "error: Cannot convert a char value to money. The char value has incorrect syntax."},
        {"nerin_convert('smallmoney', 300000)",
         "error: Arithmetic overflow error converting expression to data type smallmoney."},
        {"nerin_convert('decimal(10,2)', 2.675)", "2.68"},
        {"nerin_convert('decimal(10,2)', -2.675)", "-2.68"},
        {"nerin_convert('Decimal (10, 2)', ' 7 ')", "7.0"},
        {"nerin_convert('decimal(10,0)', 2.5)", "3"},
        {"nerin_convert('numeric', '12.5')", "13"},
        {"nerin_convert('numeric(5,2)', 1234.5)",
         "error: Arithmetic overflow error converting float to data type numeric."},
        {"nerin_convert('numeric(5,2)', 999.994)", "999.99"},
        {"nerin_convert('numeric(5,2)', 999.995)",
         "error: Arithmetic overflow error converting float to data type numeric."},
        {"nerin_convert('decimal(10,2)', '1e3')", "error: Error converting data type varchar to numeric."},
        {"nerin_convert('decimal(40,2)', 1)",
         "error: Specified column precision 40 is greater than the maximum precision of 38."},
    });
}

TEST(ConvertFunction, FloatsReadNumericTextAndDateTimesAsDays) {
    expectValues({
        {"nerin_convert('float', '1.5e3')", "1500.0"},
        {"nerin_convert('float', 2)", "2.0"},
        {"nerin_convert('real', 0.5)", "0.5"},
        {"nerin_convert('float', '2026-12-06 18:00:00.000')", "46360.75"},
        {"nerin_convert('float', 'x')", "error: Error converting data type varchar to float."},
        {"nerin_convert('real', 1e300)",
         "error: Arithmetic overflow error converting expression to data type real."},
        // CAST(FLOOR(CAST(d AS float)) AS datetime): the classic way to drop the time.
        {"nerin_convert('datetime', nerin_round(nerin_convert('float', '2026-12-06 13:45:00.000'), 0, 1))",
         "'2026-12-06 00:00:00.000'"},
    });
}

TEST(ConvertFunction, TextTypesTruncatePadAndWriteNumbers) {
    expectValues({
        {"nerin_convert('varchar(3)', 'abcdef')", "'abc'"},
        {"nerin_convert('char(5)', 'ab')", "'ab   '"},
        {"nerin_convert('nchar(3)', 'ñandú')", "'ñan'"},
        {"nerin_convert('varchar(5)', 'ñandú es')", "'ñandú'"},
        {"nerin_convert('varchar', '123456789012345678901234567890123')", "'123456789012345678901234567890'"},
        {"nerin_convert('varchar(max)', '123456789012345678901234567890123')",
         "'123456789012345678901234567890123'"},
        {"nerin_convert('text', '123456789012345678901234567890123')", "'123456789012345678901234567890123'"},
        {"nerin_convert('varchar', 42)", "'42'"},
        {"nerin_convert('varchar', 12.5)", "'12.5'"},
        {"nerin_convert('varchar', 12.0)", "'12'"},
        {"nerin_convert('varchar', 0.1 + 0.2)", "'0.3'"},
        {"nerin_convert('varchar', 1234.5, 1)", "'1,234.50'"},
        {"nerin_convert('varchar', 1234.5, 2)", "'1234.5000'"},
        {"nerin_convert('varchar', 1234, 1)", "'1234'"},
        {"nerin_convert('char(2)', 123)", "'* '"},
        {"nerin_convert('nvarchar(2)', 123)",
         "error: Arithmetic overflow error converting int to data type nvarchar."},
        {"nerin_convert('varchar(2)', 12.5)",
         "error: Arithmetic overflow error converting float to data type varchar."},
        {"nerin_convert('varchar(9000)', 'a')", "error: The size (9000) given to the type 'varchar' exceeds "
                                                "the maximum allowed for any data type (8000)."},
    });
}

TEST(ConvertFunction, DateTimesAreWrittenInTheStyleAsked) {
    expectValues({
        {"nerin_convert('varchar(10)', '2026-12-06 13:45:07.250', 103)", "'06/12/2026'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 3)", "'06/12/26'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 101)", "'12/06/2026'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 104)", "'06.12.2026'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 105)", "'06-12-2026'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 108)", "'13:45:07'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 8)", "'13:45:07'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 112)", "'20261206'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 120)", "'2026-12-06 13:45:07'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 121)", "'2026-12-06 13:45:07.250'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.000', 126)", "'2026-12-06T13:45:07'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 9)", "'Dec  6 2026  1:45:07:250PM'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 106)", "'06 Dec 2026'"},
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250', 100)", "'Dec  6 2026  1:45PM'"},
        {"nerin_convert('varchar', '2026-12-16 00:05:00.000', 0)", "'Dec 16 2026 12:05AM'"},
        {"nerin_convert('char(10)', '2026-12-06 13:45:07.250', 103)", "'06/12/2026'"},
        {"nerin_convert('varchar(6)', '2026-12-06 13:45:07.250', 103)", "'06/12/'"},
        // Without a style only a stored date-time is written as a datetime is.
        {"nerin_convert('varchar', '2026-12-06 13:45:07.250')", "'Dec  6 2026  1:45PM'"},
        {"nerin_convert('varchar', '2026-12-06')", "'2026-12-06'"},
        {"nerin_convert('varchar', 'hola', 103)", "'hola'"},
        {"nerin_convert('varchar', '2026-12-06', NULL)", "NULL"},
    });
}

TEST(ConvertFunction, TextsBecomeDateTimesAsTheStyleReadsThem) {
    expectValues({
        {"nerin_convert('datetime', '06/12/2026')", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('DateTime', '06/12/2026 13:45')", "'2026-12-06 13:45:00.000'"},
        {"nerin_convert('datetime', '12/06/2026', 101)", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('datetime', '06/12/26', 3)", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('datetime', '06.12.2026', 104)", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('datetime', '20261206', 112)", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('datetime', '2026-12-06T13:45:07.25')", "'2026-12-06 13:45:07.250'"},
        {"nerin_convert('datetime', '')", "'1900-01-01 00:00:00.000'"},
        {"nerin_convert('datetime', 1)", "'1900-01-02 00:00:00.000'"},
        {"nerin_convert('datetime', 1.5)", "'1900-01-02 12:00:00.000'"},
        {"nerin_convert('date', '2026-12-06 13:45:00.000')", "'2026-12-06 00:00:00.000'"},
        {"nerin_convert('smalldatetime', '2026-12-06 13:45:29.998')", "'2026-12-06 13:45:00.000'"},
        {"nerin_convert('smalldatetime', '2026-12-06 13:45:29.999')", "'2026-12-06 13:46:00.000'"},
        {"nerin_convert('smalldatetime', '2026-12-06 23:59:30')", "'2026-12-07 00:00:00.000'"},
        {"nerin_convert('datetime2', '1700-01-01')", "'1700-01-01 00:00:00.000'"},
        {"nerin_convert('datetime', '1700-01-01')", "error: The conversion of a varchar data type to a "
                                                    "datetime data type resulted in an out-of-range value."},
        {"nerin_convert('datetime', '31/02/2026')",
         "error: Conversion failed when converting date and/or time from character string."},
        {"nerin_convert('datetime', '12/06/2026', 103)", "'2026-06-12 00:00:00.000'"},
    });
}

TEST(ConvertFunction, NullsAndUnknownTypes) {
    expectValues({
        {"nerin_convert('int', NULL)", "NULL"},
        {"nerin_convert('datetime', NULL, 103)", "NULL"},
        {"nerin_convert('widget', 1)", "error: Type widget is not a defined system type."},
        {"nerin_convert('varchar(', 1)", "error: Type varchar( is not a defined system type."},
        {"nerin_convert('int(4)', 1)", "error: Type int(4) is not a defined system type."},
        {"nerin_convert('char(max)', 1)", "error: Type char(max) is not a defined system type."},
    });
}
