#include "base/tests/QtPrinters.h"
#include "server/tsql/SqlServerRewrite.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <gtest/gtest.h>

using nerin::tsql::SqlServerRewrite;
using nerin::tsql::testing::SqliteTestDb;

namespace {

class OuterJoinRewriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            db.exec(
                "CREATE TABLE producto (id integer, nombre varchar(30) COLLATE NERIN_CI, estado char(1));"
                "INSERT INTO producto VALUES (1, 'Café', 'A'), (2, 'Té', 'A'), (3, 'Pan', 'B'), (4, 'Agua', "
                "'A');"
                "CREATE TABLE productosxcuenta (id integer, id_comanda integer, id_producto integer, "
                "  cantidad integer, id_mesero integer);"
                "INSERT INTO productosxcuenta VALUES (10, 5, 1, 2, 1), (11, 5, 3, 1, 1), (12, 6, 2, 4, 2), "
                "  (13, 6, 1, 1, 2), (14, 5, 1, 3, 2);"
                "CREATE TABLE mesero (id_mesero integer, alias varchar(10));"
                "INSERT INTO mesero VALUES (1, 'Ana'), (3, 'Luis');"),
            QString());
    }

    SqliteTestDb db;
};

struct Case {
    const char* tsql;
    QStringList rows;
};

} // namespace

TEST_F(OuterJoinRewriterTest, ConditionsOnTheInnerTableFilterItBeforeTheJoin) {
    const Case cases[] = {
        // Every active product, counting only the items of order 5; id_comanda belongs to the inner table.
        {"SELECT pr.id, count(pxc.id) FROM productosxcuenta pxc, producto pr WHERE pr.id *= pxc.id_producto "
         "AND pr.estado = 'A' AND id_comanda = 5 GROUP BY pr.id ORDER BY pr.id",
         {"1|2", "2|0", "4|0"}},
        // The same with the operator turned round, and two conditions on the inner table.
        {"SELECT pr.nombre, sum(cantidad) FROM productosxcuenta pxc, producto pr WHERE pxc.id_producto =* "
         "pr.id "
         "AND pxc.id_comanda = 5 AND cantidad BETWEEN 2 AND 3 AND pr.estado = 'A' GROUP BY pr.nombre ORDER "
         "BY 1",
         {"Agua|NULL", "Café|5", "Té|NULL"}},
        // Two join conditions between the same tables.
        {"SELECT pr.id, x.cantidad FROM producto pr, productosxcuenta x WHERE pr.id *= x.id_producto "
         "AND pr.id *= x.id_comanda - 4 ORDER BY 1",
         {"1|2", "1|3", "2|4", "3|NULL", "4|NULL"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.rows(QString::fromUtf8(c.tsql)), c.rows) << c.tsql;
}

TEST_F(OuterJoinRewriterTest, SeveralInnerTablesJoinAfterTheTablesTheyHangFrom) {
    // mesero hangs from productosxcuenta, itself inner to producto: it must join after it.
    const QString tsql = QStringLiteral(
        "SELECT pr.nombre, pxc.cantidad, m.alias FROM mesero m, productosxcuenta pxc, producto pr "
        "WHERE pxc.id_mesero *= m.id_mesero AND pr.id *= pxc.id_producto AND pxc.id_comanda = 5 "
        "AND m.alias <> 'Luis' AND pr.estado = 'A' ORDER BY 1, 2");
    EXPECT_EQ(db.rows(tsql), QStringList({"Agua|NULL|NULL", "Café|2|Ana", "Café|3|NULL", "Té|NULL|NULL"}));
    EXPECT_TRUE(db.sql(tsql).startsWith(QStringLiteral(
        "SELECT pr.nombre, pxc.cantidad, m.alias FROM producto pr LEFT JOIN productosxcuenta pxc ON "
        "pr.id = pxc.id_producto AND pxc.id_comanda = ?1 LEFT JOIN mesero m ON pxc.id_mesero = "
        "m.id_mesero AND m.alias <> ?2 WHERE pr.estado = ?3")));
}

TEST_F(OuterJoinRewriterTest, TemporaryTablesAndOuterReferencesResolve) {
    ASSERT_EQ(db.rows(QStringLiteral("SELECT id_producto AS idp, cantidad INTO #Pedido FROM productosxcuenta "
                                     "WHERE id_comanda = 6")),
              QStringList());
    EXPECT_EQ(db.rows(QStringLiteral("SELECT p.nombre, cantidad FROM producto p, #Pedido WHERE p.id *= idp "
                                     "AND cantidad > 1 ORDER BY 1")),
              QStringList({"Agua|NULL", "Café|NULL", "Pan|NULL", "Té|4"}));
    // In a subquery, a column of the enclosing query stays in the WHERE.
    EXPECT_EQ(
        db.rows(QStringLiteral("SELECT nombre FROM producto o WHERE 1 < (SELECT count(*) FROM producto p, "
                               "#Pedido t WHERE p.id *= t.idp AND p.id <= o.id) ORDER BY 1")),
        QStringList({"Agua", "Pan", "Té"}));
}

TEST_F(OuterJoinRewriterTest, WhatSqlServerWouldNotHaveReadTheSameWayIsRefused) {
    const struct {
        const char* tsql;
        const char* message;
    } cases[] = {
        {"SELECT * FROM producto pr, productosxcuenta x WHERE pr.id *= x.id_producto OR pr.id = 1",
         "No soportado: OR en un WHERE con *= o =*"},
        {"SELECT * FROM producto pr INNER JOIN mesero m ON 1 = 1, productosxcuenta x WHERE pr.id *= "
         "x.id_producto",
         "No soportado: *= o =* junto con JOIN en el mismo FROM"},
        {"SELECT * FROM producto pr, productosxcuenta x, mesero m WHERE pr.id *= x.id_producto AND id_mesero "
         "= 1",
         "Columna ambigua: id_mesero"},
        {"SELECT * FROM producto pr, productosxcuenta x WHERE pr.id *= x.id_producto AND x.cantidad > pr.id",
         "No soportado: la tabla x, interna de un *=, en una condición con otras tablas"},
        {"SELECT * FROM producto pr, productosxcuenta x WHERE (pr.id *= x.id_producto)",
         "No soportado: *= dentro de paréntesis o de otra expresión"},
        {"SELECT * FROM producto pr, productosxcuenta x WHERE pr.id *= 1",
         "No soportado: *= que no compara columnas de dos tablas"},
        {"SELECT * FROM producto pr, Falta f WHERE pr.id *= f.id AND columna = 1",
         "No se sabe de qué tabla es la columna columna (escríbala con su tabla)"},
        {"SELECT * FROM producto a, producto b WHERE a.id *= b.id AND b.id *= a.id",
         "No soportado: *= o =* que forman un ciclo entre tablas"},
        {"SELECT pr.id *= 1 FROM producto pr",
         "No soportado: *= fuera del WHERE de una consulta con tablas separadas por comas"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.sql(QString::fromUtf8(c.tsql)), QStringLiteral("ERROR: ") + QString::fromUtf8(c.message))
            << c.tsql;
    // A column two tables have is numbered as the server numbers it.
    const auto ambiguous = db.translate(QString::fromUtf8(cases[2].tsql));
    ASSERT_FALSE(ambiguous);
    EXPECT_EQ(ambiguous.error().nativeError, 209);
}

// SQL Server gets the same joins in its own words: only the FROM and WHERE of a query with *= or =*
// change, every piece of them as written; anything else reaches it byte for byte.
TEST_F(OuterJoinRewriterTest, SqlServerGetsTheJoinsAndEverythingElseAsWritten) {
    const struct {
        const char* tsql;
        const char* sent; // nullptr: the text itself
    } cases[] = {
        {"SELECT pr.id, count(pxc.id) FROM productosxcuenta pxc, producto pr WHERE pr.id *= pxc.id_producto "
         "AND pr.estado='A' AND id_comanda=5 GROUP BY pr.id ORDER BY pr.id",
         "SELECT pr.id, count(pxc.id) FROM producto pr LEFT JOIN productosxcuenta pxc ON pr.id = "
         "pxc.id_producto AND id_comanda=5 WHERE pr.estado='A' GROUP BY pr.id ORDER BY pr.id"},
        {"SELECT TOP 5 ISNULL(x.cantidad, 0) + 1 Cant, N'Año ' + pr.nombre FROM producto pr (NOLOCK),\n"
         "  productosxcuenta x WHERE x.id_producto=*pr.id AND x.[id_comanda] /* la comanda */ = @nFolio "
         "AND pr.estado <> 'B' AND CONVERT(varchar(10), x.cantidad) + 'x' = '2x'",
         "SELECT TOP 5 ISNULL(x.cantidad, 0) + 1 Cant, N'Año ' + pr.nombre FROM producto pr (NOLOCK) LEFT "
         "JOIN "
         "productosxcuenta x ON x.id_producto = pr.id AND x.[id_comanda] /* la comanda */ = @nFolio AND "
         "CONVERT(varchar(10), x.cantidad) + 'x' = '2x' WHERE pr.estado <> 'B'"},
        // Queries inside queries, and a batch whose other statements and separators stay as they are.
        {"SELECT nombre, (SELECT count(*) FROM producto p, productosxcuenta t WHERE p.id *= t.id_producto "
         "AND "
         "p.id = o.id) FROM producto o WHERE o.id IN (SELECT m.id_mesero FROM mesero m, productosxcuenta x "
         "WHERE m.id_mesero *= x.id_mesero)",
         "SELECT nombre, (SELECT count(*) FROM producto p LEFT JOIN productosxcuenta t ON p.id = "
         "t.id_producto "
         "WHERE p.id = o.id) FROM producto o WHERE o.id IN (SELECT m.id_mesero FROM mesero m LEFT JOIN "
         "productosxcuenta x ON m.id_mesero = x.id_mesero)"},
        {"DECLARE @n int\nSET @n = 5;\nIF @n > 0\n  SELECT m.alias, x.cantidad FROM mesero m, "
         "productosxcuenta "
         "x WHERE m.id_mesero *= x.id_mesero AND x.id_comanda = @n ;\nEXEC Abrir_Mesa @n, 'a *= b'\n",
         "DECLARE @n int\nSET @n = 5;\nIF @n > 0\n  SELECT m.alias, x.cantidad FROM mesero m LEFT JOIN "
         "productosxcuenta x ON m.id_mesero = x.id_mesero AND x.id_comanda = @n ;\nEXEC Abrir_Mesa @n, 'a *= "
         "b'\n"},
        // "*=" that is no outer join: in texts, names and comments, and compound assignments.
        {"SELECT [a*=b] FROM producto WHERE nombre = 'x *= y' -- a.id *= b.id\n/* a.id =* b.id */", nullptr},
        {"DECLARE @x int\nSET @x = 3\nSET @x *= 2\nSELECT @x", nullptr},
        {"UPDATE producto SET id *= 2 WHERE estado = 'A'", nullptr},
    };
    for (const auto& c : cases) {
        const QString tsql = QString::fromUtf8(c.tsql);
        const auto sent = SqlServerRewrite::rewrite(tsql, db);
        ASSERT_TRUE(sent) << c.tsql << ": " << sent.status().message().toStdString();
        EXPECT_EQ(*sent, c.sent ? QString::fromUtf8(c.sent) : tsql);
    }
    const auto refused = SqlServerRewrite::rewrite(
        QStringLiteral(
            "SELECT * FROM producto pr, productosxcuenta x WHERE pr.id *= x.id_producto OR pr.id = 1"),
        db);
    EXPECT_EQ(refused.status().message(), QStringLiteral("No soportado: OR en un WHERE con *= o =*"));
}
