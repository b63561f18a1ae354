#include "base/tests/QtPrinters.h"
#include "server/tsql/tests/SqliteTestDb.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using nerin::tsql::Translation;
using nerin::tsql::testing::SqliteTestDb;

namespace {

class SchemaTranslatorTest : public ::testing::Test {
protected:
    // Runs T-SQL statements one by one; stops at the first that fails.
    void run(std::initializer_list<const char*> statements) {
        for (const char* tsql : statements) {
            const QStringList rows = db.rows(QString::fromUtf8(tsql));
            ASSERT_TRUE(rows.isEmpty() || !rows[0].startsWith(QStringLiteral("ERROR")))
                << tsql << ": " << qPrintable(rows[0]);
        }
    }

    SqliteTestDb db;
};

} // namespace

TEST_F(SchemaTranslatorTest, IdentityBecomesAnAutoincrementKey) {
    run({"CREATE TABLE [dbo].[Comanda] ([ID_Comanda] [int] IDENTITY (1, 1) NOT NULL, Mesa int NOT NULL, "
         "Folio varchar(10) NULL, CONSTRAINT [PK_Comanda] PRIMARY KEY CLUSTERED ([ID_Comanda]) "
         "WITH FILLFACTOR = 90 ON [PRIMARY]) ON [PRIMARY]",
         "INSERT Comanda (Mesa) VALUES (4)", "INSERT Comanda (Mesa) VALUES (9)",
         "DELETE Comanda WHERE Mesa = 9", "INSERT Comanda (Mesa, Folio) VALUES (7, 'x')"});
    EXPECT_EQ(db.rows(QStringLiteral("SELECT ID_Comanda, Mesa FROM Comanda ORDER BY 1")),
              QStringList({"1|4", "3|7"}));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT @@IDENTITY")), QStringList({"3"}));

    // A key on other columns than the IDENTITY one still refuses duplicates, as a UNIQUE constraint.
    run({"CREATE TABLE Mesa (ID int IDENTITY, Numero int CONSTRAINT PK_Mesa PRIMARY KEY NONCLUSTERED, "
         "Zona char(1), UNIQUE (Zona, Numero))",
         "INSERT Mesa (Numero, Zona) VALUES (1, 'A')"});
    EXPECT_TRUE(db.rows(QStringLiteral("INSERT Mesa (Numero, Zona) VALUES (1, 'B')"))
                    .value(0)
                    .contains(QStringLiteral("UNIQUE constraint failed")));

    EXPECT_EQ(db.sql(QStringLiteral("CREATE TABLE T (ID int IDENTITY(100, 1))")),
              QStringLiteral("ERROR: No soportado: IDENTITY con semilla o incremento distinto de 1"));
    EXPECT_EQ(db.sql(QStringLiteral("CREATE TABLE T (A int IDENTITY, B int IDENTITY)")),
              QStringLiteral("ERROR: CREATE TABLE: más de una columna IDENTITY"));
}

TEST_F(SchemaTranslatorTest, TextColumnsCompareWithoutCaseAndDefaultsApply) {
    run({"CREATE TABLE Cliente (ID int PRIMARY KEY, Nombre nvarchar(max), Tipo char(1) NOT NULL DEFAULT "
         "('A'), "
         "Saldo money DEFAULT 0, Alta datetime CONSTRAINT DF_Alta DEFAULT (getdate()), "
         "Corte datetime DEFAULT '31/12/1999', Codigo varchar(5) COLLATE Modern_Spanish_CS_AS)",
         "INSERT Cliente (ID, Nombre, Codigo) VALUES (1, 'José Pérez', 'Ab')"});
    EXPECT_EQ(
        db.rows(QStringLiteral("SELECT ID, Tipo, Saldo, Corte FROM Cliente WHERE Nombre = 'JOSÉ PÉREZ'")),
        // Money keeps floating-point affinity, so its default reads as a real zero.
        QStringList({"1|A|0.0|1999-12-31 00:00:00.000"}));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT count(*) FROM Cliente WHERE Codigo = 'AB'")),
              QStringList({"0"}));
    const QStringList alta = db.rows(QStringLiteral("SELECT Alta FROM Cliente"));
    ASSERT_EQ(alta.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))
                    .match(alta[0])
                    .hasMatch())
        << qPrintable(alta[0]);
    // Every value of a definition is written out, and recorded as such.
    auto translation = db.translate(QStringLiteral("CREATE TABLE X (A varchar(12) DEFAULT 'it''s')"));
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->kind, Translation::Kind::Schema);
    EXPECT_EQ(translation->sql,
              QStringLiteral("CREATE TABLE X (A varchar(12) COLLATE NERIN_CI DEFAULT ('it''s'))"));
    EXPECT_TRUE(translation->literalTokens.isEmpty());
    EXPECT_EQ(translation->inlinedTokens.size(), 2);
}

TEST_F(SchemaTranslatorTest, KeysAndChecksAreKept) {
    run({"CREATE TABLE Zona (ID int NOT NULL, CONSTRAINT PK_Zona PRIMARY KEY (ID))",
         "CREATE TABLE Mesa (ID int, ID_Zona int CONSTRAINT FK_Zona REFERENCES Zona (ID) ON DELETE CASCADE, "
         "Sillas int CHECK (Sillas > 0), CONSTRAINT FK_Otra FOREIGN KEY (ID_Zona) REFERENCES dbo.Zona (ID) "
         "NOT FOR REPLICATION)"});
    EXPECT_EQ(db.query(QStringLiteral("SELECT count(*) FROM pragma_foreign_key_list('Mesa')")),
              QStringList({"2"}));
    EXPECT_TRUE(db.rows(QStringLiteral("INSERT Mesa VALUES (1, 1, 0)"))
                    .value(0)
                    .contains(QStringLiteral("CHECK constraint failed")));
    EXPECT_TRUE(db.rows(QStringLiteral("INSERT Zona VALUES (1)")).isEmpty());
    EXPECT_TRUE(db.rows(QStringLiteral("INSERT Zona VALUES (1)"))
                    .value(0)
                    .contains(QStringLiteral("UNIQUE constraint")));
}

TEST_F(SchemaTranslatorTest, TemporaryTablesLiveInTheTempSchema) {
    auto create = db.translate(QStringLiteral("CREATE TABLE #Tmp_Imprimir (Linea int, Texto varchar(40))"));
    ASSERT_TRUE(create);
    EXPECT_EQ(create->touchedTable, QStringLiteral("#Tmp_Imprimir"));
    run({"CREATE TABLE #Tmp_Imprimir (Linea int, Texto varchar(40))",
         "INSERT #Tmp_Imprimir VALUES (1, 'hola')", "CREATE INDEX IX_Linea ON #Tmp_Imprimir (Linea)"});
    EXPECT_EQ(db.columnsOf(QStringLiteral("#Tmp_Imprimir")), QStringList({"Linea", "Texto"}));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Texto FROM #Tmp_Imprimir WHERE Texto = 'HOLA'")),
              QStringList({"hola"}));
    // A permanent table of the same name does not stand in the way of dropping the temporary one.
    ASSERT_EQ(db.exec("CREATE TABLE \"#Tmp_Imprimir\" (x int)"), QString());
    run({"DROP TABLE #Tmp_Imprimir"});
    EXPECT_EQ(db.exec("SELECT * FROM temp.\"#Tmp_Imprimir\""),
              QStringLiteral("no such table: temp.#Tmp_Imprimir"));
    EXPECT_EQ(db.exec("SELECT x FROM main.\"#Tmp_Imprimir\""), QString());
}

TEST_F(SchemaTranslatorTest, ViewsIndexesAndOtherDefinitions) {
    run({"CREATE TABLE Producto (ID int, Nombre varchar(20), Estado char(1))",
         "INSERT Producto VALUES (1, 'Café', 'A')", "INSERT Producto VALUES (2, 'Pan', 'B')",
         "CREATE VIEW dbo.vActivos (Clave, Nombre) WITH SCHEMABINDING AS SELECT TOP 5 ID, Nombre + '*' FROM "
         "Producto "
         "WHERE Estado = 'A' ORDER BY 2 WITH CHECK OPTION",
         "CREATE UNIQUE NONCLUSTERED INDEX IX_Nombre ON dbo.Producto (Nombre DESC, ID) WITH (FILLFACTOR = "
         "80) "
         "ON [PRIMARY]"});
    EXPECT_EQ(db.rows(QStringLiteral("SELECT Clave, Nombre FROM vActivos")), QStringList({"1|Café*"}));
    EXPECT_EQ(db.query(QStringLiteral("SELECT name FROM pragma_index_list('Producto')")),
              QStringList({"IX_Nombre"}));
    EXPECT_TRUE(db.rows(QStringLiteral("INSERT Producto VALUES (1, 'CAFÉ', 'A')"))
                    .value(0)
                    .contains(QStringLiteral("UNIQUE constraint failed")));

    run({"DROP INDEX Producto.IX_Nombre", "CREATE INDEX IX_Estado ON Producto (Estado)",
         "DROP INDEX IX_Estado ON dbo.Producto",
         "ALTER TABLE Producto ADD Notas varchar(100) NULL DEFAULT ('')", "TRUNCATE TABLE Producto",
         "INSERT Producto (ID, Notas) VALUES (3, 'Sin Sal')"});
    EXPECT_EQ(db.rows(QStringLiteral("SELECT ID, Notas FROM Producto WHERE Notas = 'sin sal'")),
              QStringList({"3|Sin Sal"}));
    EXPECT_EQ(db.query(QStringLiteral("SELECT count(*) FROM pragma_index_list('Producto')")),
              QStringList({"0"}));
    run({"DROP VIEW vActivos", "DROP TABLE dbo.Producto"});
    EXPECT_TRUE(db.columnsOf(QStringLiteral("Producto")).isEmpty());
}

TEST_F(SchemaTranslatorTest, UnsupportedDefinitionsAreRefused) {
    const struct {
        const char* tsql;
        const char* message;
    } cases[] = {
        {"CREATE VIEW v AS SELECT * FROM t WHERE a = @x",
         "No se pueden usar variables en una definición: @x"},
        {"CREATE VIEW v AS SELECT TOP 100 PERCENT * FROM t ORDER BY 1", "No soportado: TOP ... PERCENT"},
        {"CREATE PROCEDURE p AS SELECT 1", "No soportado: CREATE PROCEDURE"},
        {"ALTER TABLE t ADD a int, b int", "No soportado: ALTER TABLE ... ADD de varias columnas a la vez"},
        {"ALTER TABLE t ADD CONSTRAINT DF_a DEFAULT 0 FOR a", "No soportado: ALTER TABLE ... ADD CONSTRAINT"},
        {"ALTER TABLE t ADD ID int IDENTITY", "No soportado: agregar una columna IDENTITY con ALTER TABLE"},
        {"ALTER TABLE t ALTER COLUMN a bigint", "No soportado: ALTER TABLE ... ALTER COLUMN"},
        {"DROP TABLE a, b", "No soportado: DROP de varios objetos a la vez"},
        {"DROP TRIGGER tr", "No soportado: DROP TRIGGER"},
        {"CREATE TABLE t (a int, INDEX ix (a))", "No soportado: \"INDEX\" en CREATE TABLE"},
        {"CREATE TABLE t (a int FILESTREAM)",
         "No soportado: \"FILESTREAM\" en la definición de la columna a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.sql(QString::fromUtf8(c.tsql)), QStringLiteral("ERROR: ") + QString::fromUtf8(c.message))
            << c.tsql;
}
