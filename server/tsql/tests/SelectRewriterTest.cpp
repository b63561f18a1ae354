#include "base/tests/QtPrinters.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <gtest/gtest.h>

using nerin::tsql::Translation;
using nerin::tsql::testing::SqliteTestDb;

namespace {

class SelectRewriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            db.exec(
                "CREATE TABLE Producto (ID integer, Nombre varchar(30) COLLATE NERIN_CI, Estado char(1), "
                "Precio money);"
                "INSERT INTO Producto VALUES (1, 'Café', 'A', 20), (2, 'Té', 'A', 15), (3, 'Pan', 'B', 8), "
                "(4, 'Agua', 'A', 10);"
                "CREATE TABLE Cuenta (ID integer, ID_Comanda integer, ID_Producto integer, Cantidad integer);"
                "INSERT INTO Cuenta VALUES (1, 5, 1, 2), (2, 5, 3, 1), (3, 6, 2, 4), (4, 6, 1, 1);"),
            QString());
    }

    SqliteTestDb db;
};

struct Case {
    const char* tsql;
    QStringList rows;
};

} // namespace

TEST_F(SelectRewriterTest, TopBecomesLimitOfItsOwnSelect) {
    db.variables = {{"@n", 1}};
    const Case cases[] = {
        {"SELECT TOP 2 Nombre FROM Producto ORDER BY Precio DESC", {"Café", "Té"}},
        {"SELECT TOP (3) ID FROM Producto WHERE Estado = 'A' ORDER BY ID", {"1", "2", "4"}},
        {"SELECT DISTINCT TOP (@n) Estado FROM Producto ORDER BY Estado DESC", {"B"}},
        {"SELECT Nombre FROM Producto p WHERE ID = (SELECT TOP 1 ID_Producto FROM Cuenta c ORDER BY "
         "c.Cantidad DESC)",
         {"Té"}},
        {"SELECT Nombre FROM Producto WHERE ID IN (SELECT TOP 2 ID_Producto FROM Cuenta ORDER BY ID) ORDER "
         "BY 1",
         {"Café", "Pan"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
}

TEST_F(SelectRewriterTest, AliasesInEveryFormNameTheColumns) {
    const QStringList rows = db.rows(QStringLiteral(
        "SELECT Total = Precio * 2, 'Precio Neto' = Precio - 1, Nombre 'Nombre Corto', ID AS 'Clave', "
        "Estado AS [Est], CASE WHEN ID > 1 THEN 'x' END 'Marca', ID Num FROM Producto WHERE ID = 1"));
    EXPECT_EQ(rows, QStringList({"40|19|Café|1|A|NULL|1"}));
    EXPECT_EQ(db.lastColumns,
              QStringList({"Total", "Precio Neto", "Nombre Corto", "Clave", "Est", "Marca", "Num"}));
    // A string used as an alias shapes the text: a statement with another alias needs its own.
    auto translation = db.translate(QStringLiteral("SELECT Nombre 'Nombre Corto' FROM Producto"));
    ASSERT_TRUE(translation);
    ASSERT_EQ(translation->inlinedTokens.size(), 1);
    EXPECT_EQ(translation->inlinedTokens[0].second, QStringLiteral("Nombre Corto"));
}

TEST_F(SelectRewriterTest, SelectIntoCreatesTheTable) {
    auto translation =
        db.translate(QStringLiteral("SELECT ID, Nombre INTO #Activos FROM Producto WHERE Estado = 'A'"));
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->kind, Translation::Kind::Change);
    EXPECT_EQ(translation->touchedTable, QStringLiteral("#Activos"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT ID, Nombre INTO #Activos FROM Producto WHERE Estado = 'A'")),
              QStringList());
    EXPECT_EQ(db.columnsOf(QStringLiteral("#Activos")), QStringList({"ID", "Nombre"}));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT count(*) FROM #Activos")), QStringList({"3"}));
    EXPECT_EQ(
        db.rows(QStringLiteral("SELECT * INTO dbo.Copia FROM Producto UNION ALL SELECT * FROM Producto")),
        QStringList());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT count(*) FROM Copia")), QStringList({"8"}));
    EXPECT_EQ(db.translate(QStringLiteral("SELECT 1 AS x"))->kind, Translation::Kind::Query);
}

TEST_F(SelectRewriterTest, UnionsDistinctGroupingAndOrdinalsPass) {
    const Case cases[] = {
        {"SELECT Estado FROM Producto UNION SELECT 'C' ORDER BY 1 DESC", {"C", "B", "A"}},
        {"SELECT ID FROM Producto WHERE ID < 2 UNION ALL SELECT ID FROM Producto WHERE ID < 2", {"1", "1"}},
        {"(SELECT ID FROM Producto WHERE ID = 4) UNION (SELECT ID FROM Producto WHERE ID = 3) ORDER BY 1",
         {"3", "4"}},
        {"SELECT ID FROM Producto EXCEPT SELECT ID_Producto FROM Cuenta", {"4"}},
        // INTERSECT before UNION and EXCEPT, which go left to right; ORDER BY sorts the whole.
        {"SELECT 1 UNION SELECT 2 INTERSECT SELECT 2 ORDER BY 1", {"1", "2"}},
        {"SELECT 3 EXCEPT SELECT 1 INTERSECT SELECT 1 UNION SELECT 2 ORDER BY 1 DESC", {"3", "2"}},
        {"SELECT 1 INTERSECT SELECT 1 UNION SELECT 2 INTERSECT SELECT 3 UNION SELECT 4 ORDER BY 1",
         {"1", "4"}},
        {"SELECT DISTINCT Estado FROM Producto ORDER BY Estado", {"A", "B"}},
        {"SELECT Estado, count(*), SUM(Precio) FROM Producto GROUP BY Estado HAVING count(*) > 1",
         {"A|3|45"}},
        {"SELECT Nombre, Precio FROM Producto ORDER BY 2, 1 DESC", {"Pan|8", "Agua|10", "Té|15", "Café|20"}},
        {"SELECT 'x' WHERE 1 = 1 OPTION (MAXDOP 1)", {"x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
}

TEST_F(SelectRewriterTest, TableAndJoinHintsAreDropped) {
    const Case cases[] = {
        {"SELECT p.Nombre FROM Producto p WITH (NOLOCK) WHERE p.ID = 2", {"Té"}},
        {"SELECT Nombre FROM Producto (NOLOCK) WHERE ID = 2", {"Té"}},
        {"SELECT x.Nombre FROM Producto AS x (NOLOCK, INDEX(0)) WHERE x.ID = 2", {"Té"}},
        {"SELECT p.Nombre, c.Cantidad FROM Producto p INNER LOOP JOIN Cuenta c WITH (NOLOCK) ON "
         "c.ID_Producto = p.ID "
         "AND c.ID_Comanda = 6 ORDER BY 1",
         {"Café|1", "Té|4"}},
        {"SELECT p.Nombre, c.ID FROM Producto p LEFT OUTER JOIN Cuenta c ON c.ID_Producto = p.ID AND "
         "c.ID_Comanda = 9 "
         "WHERE p.ID = 4",
         {"Agua|NULL"}},
        {"SELECT d.n FROM (SELECT count(*) AS n FROM Producto) d", {"4"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
}

TEST_F(SelectRewriterTest, UnsupportedQueryFormsAreRefused) {
    const struct {
        const char* tsql;
        const char* message;
    } cases[] = {
        {"SELECT TOP 10 PERCENT * FROM Producto", "No soportado: TOP ... PERCENT"},
        {"SELECT TOP 1 WITH TIES * FROM Producto ORDER BY Precio", "No soportado: TOP ... WITH TIES"},
        {"SELECT TOP 1 ID FROM Producto UNION SELECT 2", "No soportado: TOP dentro de un UNION"},
        {"SELECT ID FROM Producto FOR XML AUTO", "No soportado: FOR XML"},
        {"SELECT ID FROM Producto COMPUTE SUM(ID)", "No soportado: COMPUTE"},
        {"SELECT count(*) FROM Producto GROUP BY ALL Estado", "No soportado: GROUP BY ALL"},
        {"SELECT Estado, count(*) FROM Producto GROUP BY Estado WITH ROLLUP",
         "No soportado: GROUP BY ... WITH ROLLUP"},
        {"SELECT * FROM Producto p CROSS APPLY f(p.ID)", "No soportado: CROSS APPLY"},
        {"SELECT * FROM Producto PIVOT (SUM(x) FOR y IN (a)) p", "No soportado: PIVOT"},
        {"SELECT * FROM dbo.Ventas(2024)", "No soportado: funciones que devuelven tablas (Ventas)"},
        {"SELECT * FROM Producto WHERE ID IN (SELECT ID INTO #x FROM Cuenta)",
         "No soportado: INTO en una subconsulta"},
        {"SELECT @n = ID FROM Producto",
         "No soportado: asignar variables en un SELECT que también devuelve filas"},
        {"SELECT ID FROM Producto WHERE ID > ALL (SELECT ID FROM Cuenta)", "No soportado: ALL (subconsulta)"},
        {"SELECT ID FROM Producto ORDER BY ID WHERE ID = 1", "Cláusula WHERE fuera de lugar"},
        {"SELECT 1 FROM", "FROM sin contenido"},
        {"SELECT FROM Producto", "SELECT sin contenido"},
        {"SELECT ID FROM Producto WHERE ID = 1 ORDER BY", "ORDER BY sin contenido"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.sql(QString::fromUtf8(c.tsql)), QStringLiteral("ERROR: ") + QString::fromUtf8(c.message))
            << c.tsql;
}
