#include "FunctionTestDatabase.h"

TEST(TextFunction, LenCountsCharactersWithoutTrailingSpaces) {
    expectValues({
        {"nerin_len('abc  ')", "3"},
        {"nerin_len('  abc')", "5"},
        {"nerin_len('ñandú')", "5"},
        {"nerin_len('')", "0"},
        {"nerin_len(12.5)", "4"},
        {"nerin_len(12.0)", "2"},
        {"nerin_len(-120)", "4"},
        {"nerin_len(x'00ff')", "2"},
        {"nerin_len(NULL)", "NULL"},
    });
}

TEST(TextFunction, CharIndexFindsIgnoringCaseFromAStart) {
    expectValues({
        {"nerin_charindex('b', 'abc')", "2"},
        {"nerin_charindex('B', 'abc')", "2"},
        {"nerin_charindex('Ñ', 'peña')", "3"},
        {"nerin_charindex('a', 'peña')", "4"},
        {"nerin_charindex('n', 'peña')", "0"},
        {"nerin_charindex('x', 'abc')", "0"},
        {"nerin_charindex('a', 'banana', 3)", "4"},
        {"nerin_charindex('a', 'banana', 0)", "2"},
        {"nerin_charindex('na', 'banana', 100)", "0"},
        {"nerin_charindex('', 'abc')", "0"},
        {"nerin_charindex(5, 12345)", "5"},
        {"nerin_charindex(NULL, 'a')", "NULL"},
        {"nerin_charindex('a', 'banana', NULL)", "NULL"},
    });
}

TEST(TextFunction, LeftAndRightCutWholeCharacters) {
    expectValues({
        {"nerin_left('ñandú', 2)", "'ña'"},
        {"nerin_left('abc', 10)", "'abc'"},
        {"nerin_left('abc', 0)", "''"},
        {"nerin_left(12345, 2)", "'12'"},
        {"nerin_left('abc', 2.9)", "'ab'"},
        {"nerin_left('abc', NULL)", "NULL"},
        {"nerin_left('abc', -1)", "error: Invalid length parameter passed to the left function."},
        {"nerin_right('ñandú', 2)", "'dú'"},
        {"nerin_right('abc', 5)", "'abc'"},
        {"nerin_right('abc', 0)", "''"},
        {"nerin_right('abc', -1)", "error: Invalid length parameter passed to the right function."},
    });
}

TEST(TextFunction, SpaceAndReplicateAreNullForNegativeCountsAndCapped) {
    expectValues({
        {"nerin_space(3)", "'   '"},
        {"nerin_space(0)", "''"},
        {"nerin_space(-1)", "NULL"},
        {"length(nerin_space(100000))", "8000"},
        {"nerin_replicate('ab', 3)", "'ababab'"},
        {"nerin_replicate('ñ', 2)", "'ññ'"},
        {"nerin_replicate('ab', 0)", "''"},
        {"nerin_replicate('', 5)", "''"},
        {"nerin_replicate('ab', -1)", "NULL"},
        {"nerin_replicate(0, 3)", "'000'"},
        {"length(nerin_replicate('ñ', 9000))", "8000"},
        {"length(nerin_replicate('abc', 9000000000000000000))", "8000"},
        {"nerin_right(nerin_replicate('abc', 3000), 2)", "'ab'"},
    });
}

TEST(TextFunction, UpperAndLowerMapEveryAlphabet) {
    expectValues({
        {"nerin_upper('peña')", "'PEÑA'"},
        {"nerin_lower('ÁRBOL Ñandú')", "'árbol ñandú'"},
        {"nerin_upper('ελλάδα')", "'ΕΛΛΆΔΑ'"},
        {"nerin_upper('abc123-xyz')", "'ABC123-XYZ'"},
        {"nerin_upper(12.5)", "'12.5'"},
        {"nerin_lower(NULL)", "NULL"},
    });
}
