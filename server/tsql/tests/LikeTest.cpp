#include "FunctionTestDatabase.h"

#include <QElapsedTimer>

TEST(Like, WildcardsAndSetsFollowTsql) {
    expectValues({
        {"'abc' LIKE 'a_c'", "1"},     {"'ac' LIKE 'a_c'", "0"},     {"'abc' LIKE 'a%'", "1"},
        {"'abc' LIKE '%c'", "1"},      {"'abc' LIKE '%b%'", "1"},    {"'abc' LIKE '%d%'", "0"},
        {"'' LIKE '%'", "1"},          {"'' LIKE '_'", "0"},         {"'abc' LIKE 'a[bx]c'", "1"},
        {"'axc' LIKE 'a[^b]c'", "1"},  {"'abc' LIKE 'a[^b]c'", "0"}, {"'a5c' LIKE 'a[0-9]c'", "1"},
        {"'aBc' LIKE 'a[a-c]c'", "1"}, {"'a-c' LIKE 'a[-]c'", "1"},  {"'a-c' LIKE 'a[x-]c'", "1"},
        {"'[x]' LIKE '[[]x]'", "1"},   {"'a]' LIKE 'a[]]'", "1"},    {"'a[' LIKE 'a['", "1"},
        {"'a%' LIKE 'a[%]'", "1"},     {"'ab' LIKE 'a[%]'", "0"},    {"'abc' NOT LIKE 'a%'", "0"},
        {"12345 LIKE '12%'", "1"},
    });
}

TEST(Like, IgnoresCaseButNotAccents) {
    expectValues({
        {"'PEÑA' LIKE 'peñ%'", "1"},
        {"'pena' LIKE 'peña'", "0"},
        {"'peña' LIKE 'pena'", "0"},
        {"'ÁRBOL' LIKE 'árbol'", "1"},
        {"'arbol' LIKE 'árbol'", "0"},
        {"'abc' LIKE 'ABC'", "1"},
        {"'Ñ' LIKE '[ñ]'", "1"},
        {"'Ñ' LIKE '_'", "1"},
    });
}

TEST(Like, TrailingSpacesCountInThePatternOnly) {
    expectValues({
        {"'abc  ' LIKE 'abc'", "1"},
        {"'abc' LIKE 'abc '", "0"},
        {"'abc ' LIKE 'abc '", "1"},
        {"'abc   ' LIKE 'abc_'", "1"},
        {"' abc' LIKE 'abc'", "0"},
    });
}

TEST(Like, EscapeMakesTheNextCharacterLiteral) {
    expectValues({
        {"'50%' LIKE '50!%' ESCAPE '!'", "1"},
        {"'50x' LIKE '50!%' ESCAPE '!'", "0"},
        {"'a_b' LIKE 'a!_b' ESCAPE '!'", "1"},
        {"'axb' LIKE 'a!_b' ESCAPE '!'", "0"},
        {"'a[b' LIKE 'a![b' ESCAPE '!'", "1"},
        {"'a!' LIKE 'a!!' ESCAPE '!'", "1"},
        {"'a%' LIKE 'a[!%]' ESCAPE '!'", "1"},
        {"'ab' LIKE 'ab!' ESCAPE '!'", "0"},
        {"'añb' LIKE 'añ%' ESCAPE 'ñ'", "0"},
        {"'a%' LIKE 'añ%' ESCAPE 'ñ'", "1"},
        {"'a' LIKE 'a' ESCAPE 'ab'",
         "error: The invalid escape character \"ab\" was specified in a LIKE predicate."},
        {"'a' LIKE 'a' ESCAPE ''",
         "error: The invalid escape character \"\" was specified in a LIKE predicate."},
    });
}

TEST(Like, NullOperandsGiveNull) {
    expectValues({
        {"NULL LIKE 'a'", "NULL"},
        {"'a' LIKE NULL", "NULL"},
        {"'a' LIKE 'a' ESCAPE NULL", "NULL"},
    });
}

TEST(Like, EachRowUsesItsOwnPattern) {
    FunctionTestDatabase db;
    db.exec(
        "CREATE TABLE t(id INTEGER PRIMARY KEY, text, pattern);"
        "INSERT INTO t(text, pattern) VALUES ('abc', 'a%'), ('abc', 'b%'), ('xyz', '%z'), ('xyz', '[a-c]%'),"
        " ('abc', 'a%');");
    EXPECT_EQ(db.rows("SELECT text LIKE pattern FROM t ORDER BY id"), "1|0|1|0|1");
    EXPECT_EQ(db.rows("SELECT text LIKE 'x%' FROM t ORDER BY id"), "0|0|1|1|0");
}

TEST(Like, PathologicalPatternsFinishQuickly) {
    FunctionTestDatabase db;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(db.eval("nerin_replicate('a', 8000) || nerin_replicate('a', 8000) || nerin_replicate('a', 8000)"
                      " LIKE '%a%a%a%a%a%a%a%a%a%a%a%a%b'"),
              "0");
    EXPECT_EQ(db.eval("printf('%.*c', 100000, 'a') LIKE '%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%b'"), "0");
    EXPECT_EQ(db.eval("printf('%.*c', 100000, 'a') || 'b' LIKE '%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%a%b'"),
              "1");
    EXPECT_LT(timer.elapsed(), 5000);
}
