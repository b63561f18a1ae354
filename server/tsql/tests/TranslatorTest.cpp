#include "base/tests/QtPrinters.h"
#include "server/tsql/PostgresDialect.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using nerin::Status;
using nerin::tsql::Token;
using nerin::tsql::TokenList;
using nerin::tsql::Translation;
using nerin::tsql::testing::SqliteTestDb;

namespace {

class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            db.exec(
                "CREATE TABLE Producto (ID integer, Nombre varchar(30) COLLATE NERIN_CI, Estado char(1), "
                "Precio money);"
                "INSERT INTO Producto VALUES (1, 'Café', 'A', 20), (2, 'Té', 'A', 15), (3, 'Pan', 'B', 8);"
                "CREATE TABLE \"Orden Detalle\" (\"Replace\" integer, \"Key\" text);"
                "INSERT INTO \"Orden Detalle\" VALUES (7, 'k');"),
            QString());
    }

    SqliteTestDb db;
};

} // namespace

TEST_F(TranslatorTest, NamesAreReadAsSqlServerReadsThem) {
    const struct {
        const char* tsql;
        QStringList rows;
    } cases[] = {
        {"SELECT [Replace], \"Key\" FROM [dbo].[Orden Detalle]", {"7|k"}},
        {"SELECT Replace FROM dbo.[Orden Detalle]", {"7"}},
        {"SELECT p.Nombre FROM dbo.Producto p WHERE p.[ID] = 3", {"Pan"}},
        {"SELECT dbo.Producto.Nombre FROM Producto WHERE ID = 2;", {"Té"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
}

TEST_F(TranslatorTest, LiteralsBecomeParametersSoOneTranslationServesEveryValue) {
    TokenList first;
    auto translation =
        db.translate(QStringLiteral("SELECT Nombre FROM Producto WHERE Precio > 12 AND Estado = 'A' "
                                    "ORDER BY 1"),
                     &first);
    ASSERT_TRUE(translation);
    EXPECT_FALSE(translation->sql.contains(QStringLiteral("12")));
    ASSERT_EQ(translation->literalTokens.size(), 2);
    EXPECT_EQ(first[translation->literalTokens[0]].text, QStringLiteral("12"));
    EXPECT_EQ(first[translation->literalTokens[1]].text, QStringLiteral("A"));
    // The ordinal stays in the text: SQLite only reads a written number as a column position.
    ASSERT_EQ(translation->inlinedTokens.size(), 1);
    EXPECT_EQ(translation->inlinedTokens[0].second, QStringLiteral("1"));
    EXPECT_EQ(db.run(*translation, first), QStringList({"Café", "Té"}));

    TokenList second;
    ASSERT_TRUE(db.translate(QStringLiteral("SELECT Nombre FROM Producto WHERE Precio > 5 AND Estado = 'B' "
                                            "ORDER BY 1"),
                             &second));
    EXPECT_EQ(db.run(*translation, second), QStringList({"Pan"}));
}

TEST_F(TranslatorTest, VariablesAndSystemValuesAreNamedParameters) {
    db.variables = {{"@nfolio", 2}, {"@__rowcount", 5}, {"@__trancount", 1}};
    EXPECT_EQ(db.rows(QStringLiteral(
                  "SELECT Nombre, @@ROWCOUNT, @@TRANCOUNT, @@ERROR FROM Producto WHERE ID = @nFolio")),
              QStringList({"Té|5|1|0"}));
    EXPECT_EQ(db.rows(QStringLiteral("INSERT Producto VALUES (9, 'Sal', 'A', 1)")), QStringList());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT @@IDENTITY, SCOPE_IDENTITY()")), QStringList({"4|4"}));
}

TEST_F(TranslatorTest, IdentCurrentIsTheTablesLastIdentityOrItsSeed) {
    for (const char* tsql :
         {"CREATE TABLE Comanda (ID int IDENTITY(1,1), Mesa int)",
          "CREATE TABLE Mesa (ID int IDENTITY(1,1), Numero int)", "INSERT INTO Comanda (Mesa) VALUES (5)",
          "INSERT INTO Comanda (Mesa) VALUES (6)", "INSERT INTO Producto VALUES (9, 'Sal', 'A', 1)"})
        ASSERT_EQ(db.rows(QString::fromUtf8(tsql)), QStringList()) << tsql;
    const struct {
        const char* table;
        const char* value;
    } cases[] = {{"'Comanda'", "2"},     {"'dbo.[comanda]'", "2"}, {"'Mesa'", "1"},
                 {"'Producto'", "NULL"}, {"'Nada'", "NULL"},       {"NULL", "NULL"}};
    for (const auto& c : cases)
        EXPECT_EQ(db.rows(QStringLiteral("SELECT IDENT_CURRENT(%1)").arg(QString::fromUtf8(c.table))),
                  QStringList({QString::fromUtf8(c.value)}))
            << c.table;
}

// SQLite numbers "@x" one past the highest "?N" seen before it, so a variable written before a literal
// would share its slot; every value must still reach its own place.
TEST_F(TranslatorTest, VariablesBeforeLiteralsKeepTheirOwnValues) {
    db.variables = {{"@a", QStringLiteral("uno")}, {"@b", QStringLiteral("dos")}};
    const struct {
        const char* tsql;
        QStringList rows;
    } cases[] = {
        {"SELECT @a, 'x', @b, 'y'", {"uno|x|dos|y"}},
        {"SELECT 'x', @a, 'y', @a, 'z'", {"x|uno|y|uno|z"}},
        {"SELECT Nombre FROM Producto WHERE ID = @c AND Estado = 'A' OR Nombre = 'Pan'", {"Pan"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
    EXPECT_EQ(db.rows(QStringLiteral("SELECT * INTO #Copia FROM Producto WHERE Nombre <> @a AND ID = 1")),
              QStringList());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Nombre FROM #Copia")), QStringList({"Café"}));
}

TEST_F(TranslatorTest, UnsupportedStatementsAndNamesAreCommandTextErrorsNamingThem) {
    const struct {
        const char* tsql;
        const char* message;
        int native = 102;
    } cases[] = {
        {"MERGE Producto USING x ON 1 = 1", "No soportado: MERGE"},
        {"FETCH NEXT FROM c", "No soportado: cursores (FETCH)"},
        {"SELECT @@FETCH_STATUS", "No soportado: @@FETCH_STATUS"},
        {"SELECT a FROM Otra.dbo.Producto", "No soportado: nombres de tres o más partes (Otra.dbo.Producto)"},
        {"SELECT a FROM ventas.Producto", "No soportado: el esquema \"ventas\" (solo dbo)"},
        {"SELECT a FROM x..Producto", "No soportado: nombre incompleto \"x.\""},
        {"SELECT 1; SELECT 2", "Línea 1: \";\" dentro de la instrucción"},
        {"SELECT (1", "Línea 1: \"(\" sin \")\""},
        {"SELECT CASE WHEN 1 = 1 THEN 2", "Línea 1: CASE sin END"},
        {"SELECT NoHay(1)", "Función no soportada: NOHAY", 195},
        {"SELECT dbo.NoHay(1)", "Función no soportada: DBO.NOHAY", 195},
    };
    for (const auto& c : cases) {
        auto translation = db.translate(QString::fromUtf8(c.tsql));
        ASSERT_FALSE(translation) << c.tsql;
        EXPECT_EQ(translation.error().code, Status::Code::CommandTextError) << c.tsql;
        EXPECT_EQ(translation.error().message, QString::fromUtf8(c.message)) << c.tsql;
        EXPECT_EQ(translation.error().nativeError, c.native) << c.tsql;
        EXPECT_EQ(translation.error().sqlState, QStringLiteral("42000")) << c.tsql;
    }
    nerin::tsql::Translator translator(db, *db.dialect);
    EXPECT_FALSE(translator.translate({}));
    EXPECT_FALSE(translator.translate({Token{Token::Kind::Semicolon, QStringLiteral(";")}}));
}

TEST_F(TranslatorTest, NestingIsBoundedAndHugeStatementsFinish) {
    // SQLite's own parser gives up far sooner; the translation must not.
    const QString deep = QStringLiteral("SELECT ") + QString(200, u'(') + u'1' + QString(200, u')');
    EXPECT_FALSE(db.sql(deep).startsWith(QStringLiteral("ERROR")));
    EXPECT_TRUE(db.sql(QStringLiteral("SELECT ") + QString(201, u'(') + u'1' + QString(201, u')'))
                    .startsWith(QStringLiteral("ERROR: Línea 1: más de 200 niveles")));
    QString cases = QStringLiteral("SELECT ");
    for (int i = 0; i < 250; ++i)
        cases += QStringLiteral("CASE WHEN 1 = 1 THEN ");
    EXPECT_TRUE(db.sql(cases + u'1').contains(QStringLiteral("más de 200 niveles")));

    // A megabyte of "+": translated in one pass, however SQLite then takes it.
    QString sum = QStringLiteral("SELECT 1");
    while (sum.size() < 1'000'000)
        sum += QStringLiteral(" + 1");
    QElapsedTimer timer;
    timer.start();
    auto translation = db.translate(sum);
    ASSERT_TRUE(translation);
    EXPECT_TRUE(translation->sql.startsWith(QStringLiteral("SELECT nerin_add(nerin_add(")));
    EXPECT_LT(timer.elapsed(), 20'000);
}

TEST_F(TranslatorTest, PostgresWordsComeFromItsDialect) {
    // Static: the fixture keeps the pointer after the test body returns.
    static const nerin::tsql::PostgresDialect postgres{};
    db.dialect = &postgres;
    const struct {
        const char* tsql;
        const char* sql;
    } cases[] = {
        {"SELECT TOP 2 Nombre, [Key], [Año] 'Total' FROM Producto WHERE ID = @id ORDER BY 1",
         "SELECT Nombre, \"key\", \"año\" AS \"total\" FROM Producto WHERE ID = @id ORDER BY 1 NULLS FIRST "
         "LIMIT $1"},
        {"SELECT @@IDENTITY, ISNULL(Nombre, 'x') + 'y', GETDATE() - 1, LEN(Nombre) FROM Producto",
         "SELECT nerin_last_identity(), (coalesce(Nombre, $1) + $2), nerin_sub(nerin_getdate(), $3), "
         "nerin_len(Nombre) FROM Producto"},
        {"SELECT CAST(ID AS varchar(10)), CONVERT(money, Nombre), CONVERT(datetime, Nombre, 103) FROM "
         "Producto",
         "SELECT nerin_convert_text('varchar(10)', ID), nerin_convert_numeric('money', Nombre), "
         "nerin_convert_datetime('datetime', Nombre, $1) FROM Producto"},
        {"SELECT Nombre FROM Producto WHERE Nombre LIKE 'c%' OR Estado NOT LIKE @e ESCAPE '!'",
         "SELECT Nombre FROM Producto WHERE Nombre COLLATE \"und-x-icu\" ILIKE $1 ESCAPE '' OR Estado "
         "COLLATE \"und-x-icu\" NOT ILIKE @e ESCAPE $2"},
        {"SELECT Nombre FROM Producto WHERE Nombre LIKE '[ct]%'",
         "ERROR: No soportado: clases de caracteres [...] en LIKE"},
        {"SELECT * INTO #Copia FROM Producto WHERE Nombre = @a AND ID = 1",
         "CREATE TEMPORARY TABLE \"#copia\" AS SELECT * FROM Producto WHERE Nombre = @a AND ID = $1"},
        {"DROP TABLE #Copia", "DROP TABLE pg_temp.\"#copia\""},
        {"TRUNCATE TABLE Producto", "TRUNCATE TABLE Producto"},
        {"DELETE p FROM Producto p JOIN Otra o ON o.ID = p.ID",
         "DELETE FROM Producto WHERE ctid IN (SELECT p.ctid FROM Producto p INNER JOIN Otra o ON o.ID = "
         "p.ID)"},
        {"CREATE TABLE T (ID int IDENTITY, Precio money, Nombre varchar(10) COLLATE Latin1_CS_AS, "
         "Texto text, Hora datetime, Doble AS Precio * 2)",
         "CREATE TABLE T (ID integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, Precio numeric(19,4), "
         "Nombre varchar(10) COLLATE \"C\", Texto text COLLATE nerin_ci, Hora timestamp(3), Doble GENERATED "
         "ALWAYS AS (Precio * 2) STORED)"},
        {"CREATE VIEW V AS SELECT ID FROM Producto WITH CHECK OPTION",
         "CREATE VIEW V AS SELECT ID FROM Producto WITH CHECK OPTION"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.sql(QString::fromUtf8(c.tsql)).toStdString(), c.sql) << c.tsql;
}
