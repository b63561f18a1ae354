#include "base/tests/QtPrinters.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <gtest/gtest.h>

using nerin::tsql::testing::SqliteTestDb;

namespace {

struct Case {
    const char* expression;
    const char* value;
};

// The value of `SELECT <expression>` as SQLite computes the translation.
QString valueOf(SqliteTestDb& db, const char* expression) {
    const QStringList rows = db.rows(QStringLiteral("SELECT ") + QString::fromUtf8(expression));
    return rows.size() == 1 ? rows[0] : rows.join(u';');
}

} // namespace

TEST(ExpressionRewriter, PlusBindsAsInSqlServerAndAddsOrConcatenates) {
    SqliteTestDb db;
    db.variables = {{"@x", 41}, {"@s", QStringLiteral("ab")}};
    const Case cases[] = {
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 2 + 3", "11"},
        {"10 - (2 + 3)", "5"},
        {"-2 + 5", "3"},
        {"2 * -3 + 1", "-5"},
        {"7 / 2 + 7 % 2", "4"},
        {"'a' + 'b' + 'c'", "abc"},
        {"@s + 'c'", "abc"},
        {"@x + 1", "42"},
        {"'N' + CONVERT(varchar(10), 5)", "N5"},
        {"CASE WHEN 1 + 1 = 2 THEN 'x' ELSE 'y' END + 'z'", "xz"},
        {"(SELECT 'p') + 'q'", "pq"},
        {"ISNULL(NULL, 'd') + 'e'", "de"},
        {"12 & 10 - 8", "0"},
        {"6 | 1 + 1", "8"},
        {"CASE WHEN 'a' + 'b' LIKE 'ab' AND 1 + 1 BETWEEN 2 AND 1 + 2 THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN 3 !< 2 + 1 AND 3 !> 2 + 1 AND NOT 1 + 1 IN (3, 4) THEN 1 ELSE 0 END", "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueOf(db, c.expression), QString::fromUtf8(c.value)) << c.expression;
}

TEST(ExpressionRewriter, PlusIsLeftAssociativeInTheText) {
    SqliteTestDb db;
    EXPECT_EQ(db.sql(QStringLiteral("SELECT a + b + c, a - b + c, a + b - c FROM t")),
              QStringLiteral(
                  "SELECT nerin_add(nerin_add(a, b), c), nerin_add(a - b, c), nerin_add(a, b) - c FROM t"));
}

TEST(ExpressionRewriter, DateArithmeticAndDateFunctions) {
    SqliteTestDb db;
    const Case cases[] = {
        {"DATEADD(day, 1, '31/12/2023')", "2024-01-01 00:00:00.000"},
        {"DATEADD(mm, -1, '31/03/2024 10:30')", "2024-02-29 10:30:00.000"},
        {"CONVERT(datetime, '01/02/2024') - 1", "2024-01-31 00:00:00.000"},
        {"CONVERT(datetime, '02/01/2024 12:00') - CONVERT(datetime, '01/01/2024')",
         "1900-01-02 12:00:00.000"},
        {"CAST('01/02/2024' AS datetime) + 1", "2024-02-02 00:00:00.000"},
        {"DATEDIFF(day, '01/01/2024', '01/03/2024')", "60"},
        {"DATEPART(hh, '01/01/2024 17:45')", "17"},
        {"YEAR('15/03/2024') + MONTH('15/03/2024') + DAY('15/03/2024')", "2042"},
        {"CONVERT(varchar(10), CONVERT(datetime, '05/03/2024'), 103)", "05/03/2024"},
        {"CASE WHEN DATEADD(d, 1, GETDATE()) > GETDATE() AND GETDATE() - 1 < CURRENT_TIMESTAMP THEN 1 END",
         "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueOf(db, c.expression), QString::fromUtf8(c.value)) << c.expression;
}

TEST(ExpressionRewriter, FunctionsMapToTheirSqliteCounterparts) {
    SqliteTestDb db;
    const Case cases[] = {
        {"LEN('abc  ')", "3"},
        {"SUBSTRING('abcdef', 2, 3)", "bcd"},
        {"SUBSTRING('abcdef', -1, 3) + SUBSTRING('abc', 0, 2)", "aa"},
        {"UPPER('ñu') + LOWER('ÉL')", "ÑUél"},
        {"LEFT('abc', 2) + RIGHT('abc', 2)", "abbc"},
        {"CHARINDEX('c', 'abcabc', 4)", "6"},
        {"REPLICATE('ab', 2) + SPACE(2) + 'x'", "abab  x"},
        {"ASCII('A') + ABS(-3)", "68"},
        {"CHAR(66) + LTRIM('  x') + RTRIM('y  ') + 'z'", "Bxyz"},
        {"REPLACE('a-b-c', '-', '')", "abc"},
        {"REPLACE('Hola hola', 'HO', 'x')", "xla xla"},
        {"CHAR(128) + ISNULL(CHAR(256), '-')", "€-"},
        {"COALESCE(NULL, NULLIF(1, 1), 7)", "7"},
        {"CEILING(2) + FLOOR(3)", "5"},
        {"ROUND(2.567, 2)", "2.57"},
        {"STR(12.5, 6, 1)", "  12.5"},
        {"ISNUMERIC('12') + ISNUMERIC('x')", "1"},
        {"CAST('12' AS int) + 1", "13"},
        {"CAST(2.5 AS decimal(10,2))", "2.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueOf(db, c.expression), QString::fromUtf8(c.value)) << c.expression;
}

TEST(ExpressionRewriter, AggregatesKeepTheirArguments) {
    SqliteTestDb db;
    ASSERT_EQ(db.exec("CREATE TABLE v (n integer); INSERT INTO v VALUES (1), (2), (2), (NULL)"), QString());
    EXPECT_EQ(
        db.rows(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT n), SUM(n), MIN(n) + MAX(n), AVG(n * 1.0) "
                               "FROM v HAVING COUNT(*) > 1")),
        QStringList({"4|2|5|3|1.66666666666667"}));
}

TEST(ExpressionRewriter, TypeLengthsAreWrittenOutAndRecorded) {
    SqliteTestDb db;
    auto translation =
        db.translate(QStringLiteral("SELECT CONVERT(decimal(10,2), x, 1), CAST(y AS varchar(max)) FROM t"));
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->sql, QStringLiteral("SELECT nerin_convert('decimal(10,2)', x, ?1), "
                                               "nerin_convert('varchar(max)', y) FROM t"));
    ASSERT_EQ(translation->inlinedTokens.size(), 2);
    EXPECT_EQ(translation->inlinedTokens[0].second, QStringLiteral("10"));
    EXPECT_EQ(translation->inlinedTokens[1].second, QStringLiteral("2"));
}

TEST(ExpressionRewriter, UnsupportedFunctionsAndOperatorsAreNamed) {
    SqliteTestDb db;
    const Case cases[] = {
        {"SOUNDEX('x')", "Función no soportada: SOUNDEX"},
        {"dbo.Calcular(1)", "Función no soportada: DBO.CALCULAR"},
        {"NEWID()", "Función no soportada: NEWID"},
        {"ROW_NUMBER() OVER (ORDER BY x)", "Función no soportada: ROW_NUMBER"},
        {"CONTAINS(x, 'y')", "Función no soportada: CONTAINS"},
        {"1 ^ 2", "No soportado: el operador ^"},
        {"x COLLATE Latin1_General_CI_AS", "No soportado: COLLATE"},
        {"DATEADD('d', 1, x)", "DATEADD: se esperaba una parte de fecha"},
        {"CAST(x)", "CAST sin AS"},
        {"CONVERT(varchar(10) + 1, x)", "Tipo de dato no válido en CAST o CONVERT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(db.sql(QStringLiteral("SELECT ") + QString::fromUtf8(c.expression)),
                  QStringLiteral("ERROR: ") + QString::fromUtf8(c.value))
            << c.expression;
    }
}

TEST(ExpressionRewriter, TextComparedWithoutAColumnIgnoresCaseButNotAccents) {
    SqliteTestDb db;
    ASSERT_EQ(db.exec("CREATE TABLE t (ci varchar(5) COLLATE NERIN_CI, cs varchar(5) COLLATE BINARY);"
                      "INSERT INTO t VALUES ('abc', 'abc');"),
              QString());
    db.variables = {{"@s", QStringLiteral("abc")}, {"@v", QStringLiteral("a")}};
    const Case cases[] = {
        {"CASE WHEN 'abc' = 'ABC' THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN @s = 'ABC' THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN 'ABC' <> @s THEN 1 ELSE 0 END", "0"},
        {"CASE WHEN 'á' = 'Á' THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN 'a' = 'á' THEN 1 ELSE 0 END", "0"},
        {"CASE WHEN 'B' > 'a' THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN @s + 'D' = 'ABCd' THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN UPPER(@s) = 'abc' THEN 1 ELSE 0 END", "1"},
        {"CASE @v WHEN 'A' THEN 'si' ELSE 'no' END", "si"},
        {"CASE WHEN @v IN ('B', 'A') THEN 1 ELSE 0 END", "1"},
        {"CASE WHEN @v NOT IN ('B', 'A') THEN 1 ELSE 0 END", "0"},
        // A column keeps its own collation, either side of the comparison.
        {"COUNT(*) FROM t WHERE ci = 'ABC' AND 'ABC' = ci", "1"},
        {"COUNT(*) FROM t WHERE cs = 'ABC' OR 'ABC' = cs", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueOf(db, c.expression), QString::fromUtf8(c.value)) << c.expression;
}
