#include "base/tests/QtPrinters.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <gtest/gtest.h>

using nerin::tsql::Translation;
using nerin::tsql::testing::SqliteTestDb;

namespace {

class ChangeRewriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            db.exec("CREATE TABLE Producto (ID integer, Nombre varchar(30) COLLATE NERIN_CI, Precio money);"
                    "INSERT INTO Producto VALUES (1, 'Café', 20), (2, 'Té', 15), (3, 'Pan', 8);"
                    "CREATE TABLE Cuenta (ID integer, ID_Comanda integer, ID_Producto integer, Total money);"
                    "INSERT INTO Cuenta VALUES (1, 5, 1, 0), (2, 5, 3, 0), (3, 6, 2, 0);"),
            QString());
    }

    // Runs each change, then `check`, and compares with the rows expected after it.
    void expectChanges(const char* change, const char* check, const QStringList& rows) {
        EXPECT_EQ(db.rows(QString::fromUtf8(change)), QStringList()) << change;
        EXPECT_EQ(db.rows(QString::fromUtf8(check)), rows) << change;
    }

    SqliteTestDb db;
};

} // namespace

TEST_F(ChangeRewriterTest, InsertTakesEveryFormOfItsSource) {
    expectChanges("INSERT Producto VALUES (4, 'Sal', 1.5)",
                  "SELECT Nombre, Precio FROM Producto WHERE ID = 4", {"Sal|1.5"});
    expectChanges("INSERT INTO dbo.Producto (Nombre, ID) VALUES ('Ajo', 5), ('Col', 6)",
                  "SELECT ID, Nombre FROM Producto WHERE ID > 4 ORDER BY 1", {"5|Ajo", "6|Col"});
    expectChanges(
        "INSERT Cuenta (ID, ID_Comanda, ID_Producto) SELECT ID + 10, 7, ID FROM Producto WHERE ID < 3",
        "SELECT ID, ID_Producto FROM Cuenta WHERE ID_Comanda = 7 ORDER BY 1", {"11|1", "12|2"});
    expectChanges("INSERT INTO Cuenta DEFAULT VALUES", "SELECT count(*) FROM Cuenta WHERE ID IS NULL", {"1"});
    // Without a column list the identity is left out: the server numbers it.
    ASSERT_EQ(db.exec("CREATE TABLE Nota (ID INTEGER PRIMARY KEY AUTOINCREMENT, Texto varchar(10));"
                      "CREATE TABLE Clave (ID INTEGER PRIMARY KEY, Texto varchar(10))"),
              QString());
    expectChanges("INSERT Nota VALUES ('a')", "SELECT ID, Texto FROM Nota", {"1|a"});
    expectChanges("INSERT INTO Nota SELECT Nombre FROM Producto WHERE ID = 3", "SELECT ID, Texto FROM Nota",
                  {"1|a", "2|Pan"});
    expectChanges("INSERT Clave VALUES (7, 'b')", "SELECT ID, Texto FROM Clave", {"7|b"});
    ASSERT_EQ(db.exec("CREATE TEMP TABLE \"#Nota\" (x integer)"), QString());
    expectChanges("INSERT #Nota (x) VALUES (-1)", "SELECT x FROM #Nota", {"-1"});
    auto translation = db.translate(QStringLiteral("INSERT Producto VALUES (4, 'Sal', 1.5)"));
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->kind, Translation::Kind::Change);
}

TEST_F(ChangeRewriterTest, UpdateDropsQualifiersAndJoinsItsFrom) {
    expectChanges("UPDATE Producto SET Producto.Precio = Precio + 1, Nombre = Nombre + '!' WHERE ID = 1",
                  "SELECT Nombre, Precio FROM Producto WHERE ID = 1", {"Café!|21"});
    // The target named by its alias among the FROM tables.
    expectChanges(
        "UPDATE c SET c.Total = p.Precio * 2 FROM Cuenta c INNER JOIN Producto p ON p.ID = c.ID_Producto "
        "WHERE c.ID_Comanda = 5",
        "SELECT ID, Total FROM Cuenta ORDER BY 1", {"1|42", "2|16", "3|0"});
    expectChanges("UPDATE Cuenta SET Total = -1 FROM Producto p, Cuenta WHERE p.ID = Cuenta.ID_Producto AND "
                  "p.Nombre = 'TÉ'",
                  "SELECT ID, Total FROM Cuenta ORDER BY 1", {"1|42", "2|16", "3|-1"});
    // The target is not among the FROM tables: SQLite's own UPDATE ... FROM.
    expectChanges(
        "UPDATE Cuenta SET Total = p.Precio FROM Producto p WHERE p.ID = Cuenta.ID_Producto AND p.ID = 3",
        "SELECT ID, Total FROM Cuenta ORDER BY 1", {"1|42", "2|8", "3|-1"});
    // The target named by its table, the only occurrence of it among the FROM tables.
    expectChanges(
        "UPDATE Cuenta SET Total = x.Total * 10 FROM Cuenta x INNER JOIN Producto p ON p.ID = x.ID_Producto "
        "WHERE p.Nombre = 'PAN'",
        "SELECT ID, Total FROM Cuenta ORDER BY 1", {"1|42", "2|80", "3|-1"});
    expectChanges(
        "UPDATE Producto WITH (ROWLOCK) SET Precio = 0 WHERE ID IN (SELECT ID_Producto FROM Cuenta) "
        "OPTION (MAXDOP 1)",
        "SELECT sum(Precio) FROM Producto", {"0"});
}

TEST_F(ChangeRewriterTest, DeleteWithAJoinDeletesTheTargetRowsOnly) {
    expectChanges("DELETE Cuenta WHERE ID = 3", "SELECT ID FROM Cuenta ORDER BY 1", {"1", "2"});
    expectChanges(
        "DELETE c FROM Cuenta c INNER JOIN Producto p ON p.ID = c.ID_Producto WHERE p.Nombre = 'pan'",
        "SELECT ID FROM Cuenta ORDER BY 1", {"1"});
    expectChanges("DELETE FROM Producto FROM Producto, Cuenta WHERE Cuenta.ID_Producto = Producto.ID",
                  "SELECT ID FROM Producto ORDER BY 1", {"2", "3"});
    // The target is not among the FROM tables: the FROM says which of its rows go.
    expectChanges("DELETE Producto FROM Cuenta c WHERE c.ID_Comanda = 5 AND Producto.ID = 3",
                  "SELECT ID FROM Producto ORDER BY 1", {"2"});
    expectChanges("DELETE FROM dbo.Producto", "SELECT count(*) FROM Producto", {"0"});
}

TEST_F(ChangeRewriterTest, UnsupportedChangesAreRefused) {
    const struct {
        const char* tsql;
        const char* message;
    } cases[] = {
        {"INSERT INTO Producto EXEC Listar", "No soportado: INSERT ... EXEC"},
        {"INSERT INTO Producto VALUES (1, DEFAULT, 2)",
         "No soportado: DEFAULT dentro de VALUES (omita la columna)"},
        {"INSERT Producto OUTPUT inserted.ID VALUES (1, 'a', 2)", "No soportado: la cláusula OUTPUT"},
        {"UPDATE TOP (1) Producto SET Precio = 1", "No soportado: UPDATE TOP"},
        {"UPDATE Producto SET @x = Precio", "No soportado: asignar variables en UPDATE"},
        {"UPDATE c SET Total = 1 FROM Cuenta c LEFT JOIN Producto p ON p.ID = c.ID_Producto",
         "No soportado: UPDATE ... FROM con LEFT, RIGHT o FULL JOIN"},
        {"UPDATE Producto SET Precio = 1 WHERE CURRENT OF c", "No soportado: cursores (WHERE CURRENT OF)"},
        {"DELETE TOP (2) FROM Producto", "No soportado: DELETE TOP"},
        {"DELETE Producto WHERE", "WHERE sin contenido"},
        {"UPDATE Producto SET WHERE ID = 1", "SET sin contenido"},
        {"DELETE Producto FROM WHERE ID = 1", "FROM sin contenido"},
        {"DELETE Producto OUTPUT deleted.ID WHERE ID = 1", "No soportado: la cláusula OUTPUT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.sql(QString::fromUtf8(c.tsql)), QStringLiteral("ERROR: ") + QString::fromUtf8(c.message))
            << c.tsql;
}
