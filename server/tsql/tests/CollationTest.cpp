#include "FunctionTestDatabase.h"
#include "server/tsql/SqlCompareFunctions.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <vector>

namespace {

// How `a` compares with `b` under the collation, as SQLite itself compares them: -1, 0 or 1.
std::string order(FunctionTestDatabase& db, const std::string& a, const std::string& b) {
    return db.eval("CASE WHEN '" + a + "' < '" + b + "' COLLATE NERIN_CI THEN -1 WHEN '" + a + "' = '" + b +
                   "' COLLATE NERIN_CI THEN 0 ELSE 1 END");
}

// The order the collation promises, computed independently: Qt's case folding of the texts without
// their trailing spaces, compared by code point.
int referenceOrder(const QString& a, const QString& b) {
    const auto key = [](QString text) {
        while (text.endsWith(u' '))
            text.chop(1);
        return text.toCaseFolded().toUcs4();
    };
    const QList<uint> ka = key(a);
    const QList<uint> kb = key(b);
    if (std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end()))
        return -1;
    return ka == kb ? 0 : 1;
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

TEST(Collation, IgnoresCaseAndTrailingSpacesButNotAccents) {
    FunctionTestDatabase db;
    struct Case {
        const char* a;
        const char* b;
        const char* expected;
    };
    const Case cases[] = {
        {"abc", "ABC", "0"},      {"abc", "abc   ", "0"}, {"", "   ", "0"},      {"Peña", "PEÑA", "0"},
        {"ÁRBOL", "árbol", "0"},  {"abc", "abd", "-1"},   {"a", "B", "-1"},      {"B", "a", "1"},
        {"abc", "ab", "1"},       {"ab", "ab c", "-1"},   {" abc", "abc", "-1"}, {"pena", "peña", "-1"},
        {"arbol", "árbol", "-1"}, {"zeta", "ñu", "-1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(order(db, c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(Collation, SortsGroupsAndKeepsUniqueIndexesCaseInsensitive) {
    FunctionTestDatabase db;
    db.exec("CREATE TABLE t(name TEXT);"
            "INSERT INTO t VALUES ('beta'), ('Alfa'), ('ALFA  '), ('alfa'), ('Ñu'), ('Gamma'), ('b');");
    EXPECT_EQ(db.rows("SELECT name FROM t ORDER BY name COLLATE NERIN_CI, name"),
              "'ALFA  '|'Alfa'|'alfa'|'b'|'beta'|'Gamma'|'Ñu'");
    EXPECT_EQ(db.rows("SELECT count(*) FROM t GROUP BY name COLLATE NERIN_CI ORDER BY name COLLATE NERIN_CI"),
              "3|1|1|1|1");
    db.exec("CREATE TABLE u(code TEXT COLLATE NERIN_CI UNIQUE); INSERT INTO u VALUES ('abc');");
    EXPECT_EQ(db.rows("INSERT INTO u VALUES ('ABC ')"), "error: UNIQUE constraint failed: u.code");
    EXPECT_EQ(db.rows("SELECT count(*) FROM u WHERE code = 'Abc'"), "1");
}

TEST(Collation, AgreesWithCaseFoldingOnRandomTexts) {
    const QString alphabet = QStringLiteral("aAbBñÑéÉσΣς 1_");
    QRandomGenerator random(20261206);
    std::vector<QString> texts;
    for (int i = 0; i < 300; ++i) {
        QString text;
        const int length = random.bounded(6);
        for (int j = 0; j < length; ++j)
            text.append(alphabet[random.bounded(static_cast<int>(alphabet.size()))]);
        texts.push_back(text);
    }
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        const std::string a = texts[i].toStdString();
        const std::string b = texts[i + 1].toStdString();
        EXPECT_EQ(sign(nerin::tsql::compareIgnoringCase(a, b)), referenceOrder(texts[i], texts[i + 1]))
            << a << " vs " << b;
        EXPECT_EQ(sign(nerin::tsql::compareIgnoringCase(b, a)), -referenceOrder(texts[i], texts[i + 1]));
    }
    // Sorting with the collation leaves every neighbour in order, as a valid strict weak order must.
    std::vector<std::string> sorted;
    for (const QString& text : texts)
        sorted.push_back(text.toStdString());
    std::sort(sorted.begin(), sorted.end(), [](const std::string& x, const std::string& y) {
        return nerin::tsql::compareIgnoringCase(x, y) < 0;
    });
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i)
        EXPECT_LE(referenceOrder(QString::fromStdString(sorted[i]), QString::fromStdString(sorted[i + 1])),
                  0);
}

TEST(Collation, MalformedUtf8ComparesConsistently) {
    FunctionTestDatabase db;
    const char* const texts[] = {"CAST(x'ff41' AS TEXT)", "CAST(x'c3' AS TEXT)", "'a'",
                                 "CAST(x'c341' AS TEXT)", "'Ã'"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            const std::string forward = db.eval(std::string("(") + a + " COLLATE NERIN_CI) < " + b);
            const std::string backward = db.eval(std::string("(") + b + " COLLATE NERIN_CI) > " + a);
            EXPECT_EQ(forward, backward) << a << " vs " << b;
        }
    }
    EXPECT_EQ(db.eval("CAST(x'c3' AS TEXT) = 'Ã' COLLATE NERIN_CI"), "0");
}
