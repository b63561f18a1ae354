#include "server/SqliteConnection.h"

#include "base/tests/QtPrinters.h"
#include "server/tests/ResultText.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::DbCommand;
using nerin::DbValue;
using nerin::RecordSet;
using nerin::SqliteConnection;
using nerin::Status;

namespace {

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<SqliteConnection>(path(), SqliteConnection::OpenMode::CreateIfMissing);
        ASSERT_TRUE(m_db->open()) << m_db->lastFailure().description.toStdString();
    }

    QString path() const { return m_dir.path() + QStringLiteral("/nerin.db"); }

    void exec(const QString& sql) {
        auto result = m_db->execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    // Every row of the first result, fields joined by "|", rows by ";". NULL shows as "NULL".
    QString rows(const QString& sql) { return nerin::testing_support::resultText(*m_db, sql); }

    Status::Code failureOf(const QString& sql) {
        auto result = m_db->execute(sql);
        EXPECT_FALSE(result) << sql.toStdString();
        return result ? Status::Code::Ok : result.status().code();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SqliteConnection> m_db;
};

} // namespace

// How each construct translates is the dialect engine's to test; here, that every statement the
// connection runs goes through it, on the connection's own tables and with its own variables.
TEST_F(SqliteConnectionTest, StatementsAreReadAsTheTerminalWritesThem) {
    exec(QStringLiteral("CREATE TABLE Producto (id_producto int, nombre varchar(20), estado char(1), "
                        "precio money)"));
    exec(QStringLiteral("CREATE TABLE ProductosXCuenta (id_producto int, id_comanda int)"));
    exec(QStringLiteral(
        "INSERT Producto VALUES (1, 'Sopa', 'A', 99.95) INSERT Producto VALUES (2, 'PEÑA', "
        "'A', 1) INSERT ProductosXCuenta VALUES (1, 5) INSERT ProductosXCuenta VALUES (2, 6)"));
    EXPECT_EQ(rows(QStringLiteral("SELECT TOP 1 pr.nombre + ' ' + estado, pr.id_producto + 1, "
                                  "count(pxc.id_producto) FROM productosxcuenta pxc, producto pr WHERE "
                                  "pr.id_producto *= pxc.id_producto AND id_comanda=5AND nombre LIKE 'peñ%' "
                                  "GROUP BY pr.id_producto, pr.nombre, estado")),
              QStringLiteral("PEÑA A|3|0"));
    EXPECT_EQ(
        rows(QStringLiteral("DECLARE @n int, @s varchar(5) SET @n = 0 WHILE @n < 10 BEGIN SET @n = @n + 1 "
                            "IF @n = 7 BREAK END SELECT @s = 'abcdefgh' SELECT @n, @s")),
        QStringLiteral("7|abcde"));
    auto precio = m_db->query(QStringLiteral("SELECT precio FROM Producto WHERE id_producto = 1"));
    ASSERT_TRUE(precio);
    EXPECT_EQ(precio->value(0).type(), DbValue::Type::Currency);
    EXPECT_EQ(precio->value(0).toCurrency(), *nerin::Currency::parse(u"99.95"));
}

TEST_F(SqliteConnectionTest, TemporaryTablesArePrivateToTheirConnection) {
    exec(QStringLiteral(
        "CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,"
        "Tipo Char(1), Tiempo Int)"));
    exec(QStringLiteral(
        "INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES ('Sopa', 1, 'P', 0)"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID, Texto FROM #Tmp_Imprimir")), QStringLiteral("1|Sopa"));

    SqliteConnection other(path());
    ASSERT_TRUE(other.open());
    EXPECT_FALSE(other.query(QStringLiteral("SELECT * FROM #Tmp_Imprimir")));

    exec(QStringLiteral("DROP TABLE #Tmp_Imprimir"));
    exec(QStringLiteral("SELECT 7 AS n INTO #Tmp_Imprimir"));
    EXPECT_EQ(rows(QStringLiteral("SELECT n FROM #Tmp_Imprimir")), QStringLiteral("7"));
}

TEST_F(SqliteConnectionTest, DatesWrittenEitherWaySortAndCompare) {
    exec(QStringLiteral("CREATE TABLE Bitacora (FechaHora datetime, Texto varchar(50))"));
    exec(QStringLiteral("INSERT INTO Bitacora VALUES ('05/12/2026 13:45', 'escrita')"));
    exec(QStringLiteral("INSERT INTO Bitacora VALUES (GETDATE(), 'ahora')"));
    exec(QStringLiteral("INSERT INTO Bitacora VALUES ('01/01/2020 08:00:00', 'antigua')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Texto FROM Bitacora ORDER BY FechaHora")),
              QStringLiteral("antigua;escrita;ahora"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Texto FROM Bitacora WHERE FechaHora >= '05/12/2026 13:45' AND "
                                  "FechaHora < '05/12/2026 13:46'")),
              QStringLiteral("escrita"));
    auto result = m_db->query(QStringLiteral("SELECT FechaHora FROM Bitacora WHERE Texto = 'escrita'"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->value(0).toDateTime(), QDateTime(QDate(2026, 12, 5), QTime(13, 45)));
}

TEST_F(SqliteConnectionTest, ProceduresRunFromEveryKindOfCallAndReturnOutputs) {
    exec(QStringLiteral("CREATE TABLE Comanda (ID_Comanda int IDENTITY(1,1) PRIMARY KEY, Num_Mesa int, "
                        "Mesero varchar(20), Tipo char(1))"));
    exec(QStringLiteral(
        "CREATE PROCEDURE Abrir_Mesa @nNumMesa bigint, @sMesero varchar(20), @sTipo char(1) = 'M', "
        "@nFolio bigint OUTPUT AS BEGIN SET NOCOUNT ON "
        "INSERT INTO Comanda (Num_Mesa, Mesero, Tipo) VALUES (@nNumMesa, @sMesero, @sTipo) "
        "SET @nFolio = SCOPE_IDENTITY() SELECT @nFolio AS Folio END"));

    // A bare call with positional arguments; a bare word is a text.
    exec(QStringLiteral("Abrir_Mesa 10, mesero1, 'B', 0"));
    // EXEC with named arguments and an output variable.
    EXPECT_EQ(rows(QStringLiteral("DECLARE @f bigint EXEC Abrir_Mesa @nNumMesa = 11, @sMesero = 'Ana', "
                                  "@nFolio = @f OUTPUT SELECT @f")),
              QStringLiteral("2"));
    // A command with named parameters.
    DbCommand command(QStringLiteral("Abrir_Mesa"), DbCommand::Kind::StoredProcedure);
    command.addParameter({QStringLiteral("@nNumMesa"), DbCommand::ParamType::BigInt,
                          DbCommand::Direction::Input, 0, DbValue(qint64{12})});
    command.addParameter({QStringLiteral("@sMesero"), DbCommand::ParamType::Char, DbCommand::Direction::Input,
                          20, DbValue(QStringLiteral("Luis"))});
    command.addParameter({QStringLiteral("@nFolio"), DbCommand::ParamType::BigInt,
                          DbCommand::Direction::Output, 0, DbValue()});
    auto results = m_db->run(command);
    ASSERT_TRUE(results) << results.status().message().toStdString();
    EXPECT_EQ(command.parameter(u"@nFolio").toInt(), 3);
    ASSERT_EQ(results->size(), 1);
    EXPECT_EQ((*results)[0].value(u"Folio").toInt(), 3);

    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Comanda, Num_Mesa, Mesero, Tipo FROM Comanda")),
              QStringLiteral("1|10|mesero1|B;2|11|Ana|M;3|12|Luis|M"));
}

TEST_F(SqliteConnectionTest, QuestionMarksBindTheCommandsParametersInOrder) {
    exec(QStringLiteral("CREATE TABLE Mesa (Num_Mesa int, Nombre varchar(20))"));
    exec(QStringLiteral("INSERT INTO Mesa VALUES (5, 'TERRAZA?'), (6, 'SALON')"));
    auto mesa = [](qint64 numero) {
        return DbCommand::Parameter{QStringLiteral("@n"), DbCommand::ParamType::Integer,
                                    DbCommand::Direction::Input, 0, DbValue(numero)};
    };
    // Markers inside quoted text, quoted names and comments are not parameters.
    DbCommand command(QStringLiteral("SELECT [Nombre] FROM Mesa /* ? */ WHERE Nombre <> '?''?' AND -- ?\n"
                                     " Num_Mesa = ? OR Num_Mesa = ?"),
                      DbCommand::Kind::Unknown);
    command.addParameter(mesa(6));
    command.addParameter(mesa(5));
    auto results = m_db->run(command);
    ASSERT_TRUE(results) << results.status().message().toStdString();
    ASSERT_EQ(results->size(), 1);
    EXPECT_EQ((*results)[0].recordCount(), 2);
    // Sent again with other values, the same text selects by them.
    command.parameters()[0].value = DbValue(qint64{7});
    results = m_db->run(command);
    ASSERT_TRUE(results) << results.status().message().toStdString();
    ASSERT_EQ(results->size(), 1);
    EXPECT_EQ((*results)[0].recordCount(), 1);

    // A marker without its parameter is refused instead of reading as NULL.
    DbCommand falta(QStringLiteral("SELECT * FROM Mesa WHERE Num_Mesa = ? AND Nombre = ?"),
                    DbCommand::Kind::Unknown);
    falta.addParameter(mesa(5));
    EXPECT_EQ(m_db->run(falta).status().code(), Status::Code::CommandTextError);
}

TEST_F(SqliteConnectionTest, AFailingProcedureUndoesAllItsChanges) {
    exec(QStringLiteral("CREATE TABLE Pago (ID int PRIMARY KEY, Monto money)"));
    exec(QStringLiteral("CREATE PROCEDURE Pagar @id int AS BEGIN "
                        "INSERT INTO Pago VALUES (@id, 10) INSERT INTO Pago VALUES (@id + 100, 20) "
                        "INSERT INTO Pago VALUES (@id, 30) END"));
    EXPECT_EQ(failureOf(QStringLiteral("EXEC Pagar 1")), Status::Code::DatabaseError);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Pago")), QStringLiteral("0"));
    // Inside the caller's transaction only the procedure's own part is undone.
    ASSERT_TRUE(m_db->beginTransaction());
    exec(QStringLiteral("INSERT INTO Pago VALUES (50, 5)"));
    EXPECT_EQ(failureOf(QStringLiteral("Pagar 1")), Status::Code::DatabaseError);
    ASSERT_TRUE(m_db->commit());
    EXPECT_EQ(rows(QStringLiteral("SELECT ID, Monto FROM Pago")), QStringLiteral("50|5"));
}

// A procedure's own BEGIN TRAN / COMMIT / ROLLBACK, as SQL Server runs them: the transaction count
// nests, and a ROLLBACK undoes everything, the caller's open transaction included, and ends it.
TEST_F(SqliteConnectionTest, AProceduresOwnTransactionNestsAndItsRollbackEndsTheCallers) {
    exec(QStringLiteral("CREATE TABLE Mesa (ID int PRIMARY KEY, Nombre varchar(20))"));
    exec(QStringLiteral("INSERT INTO Mesa VALUES (1, 'SALON'), (2, 'TERRAZA')"));
    // @nModo 0 commits and returns the counts seen; 1 refuses after a change; 2 returns with its
    // transaction open; 3 rolls back and changes another row afterwards.
    exec(QStringLiteral("CREATE PROCEDURE Cambiar @nModo int AS BEGIN SET NOCOUNT ON SET XACT_ABORT ON "
                        "DECLARE @sCuentas varchar(10) SET @sCuentas = CAST(@@TRANCOUNT AS varchar(2)) "
                        "BEGIN TRAN SET @sCuentas = @sCuentas + CAST(@@TRANCOUNT AS varchar(2)) "
                        "UPDATE Mesa SET Nombre = 'CAMBIADA' WHERE ID = 1 "
                        "IF @nModo = 1 BEGIN ROLLBACK TRAN RAISERROR('Rechazada.', 16, 1) RETURN 1 END "
                        "IF @nModo = 2 RETURN 0 "
                        "IF @nModo = 3 BEGIN IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION "
                        "UPDATE Mesa SET Nombre = 'DESPUES' WHERE ID = 2 RETURN 0 END "
                        "COMMIT TRAN SELECT @sCuentas + CAST(@@TRANCOUNT AS varchar(2)) AS Cuentas END"));
    struct Case {
        int modo;
        bool llamadorAbierto;  // the caller has a transaction open and changed row 2 in it
        const char* resultado; // the call's rows, or "ERROR " and its message
        const char* mesas;     // after the call, and the caller's COMMIT when it still has a transaction
        int cuentaDespues;     // @@TRANCOUNT after the call
    };
    const Case cases[] = {
        {0, false, "010", "CAMBIADA;TERRAZA", 0},
        {0, true, "121", "CAMBIADA;LLAMADOR", 1},
        {1, false, "ERROR Línea 1: Rechazada.", "SALON;TERRAZA", 0},
        {1, true, "ERROR Línea 1: Rechazada.", "SALON;TERRAZA", 0},
        {2, false,
         "ERROR Línea 1: Transaction count after EXECUTE indicates a mismatching number of BEGIN and COMMIT "
         "statements. Previous count = 0, current count = 1.",
         "SALON;TERRAZA", 0},
        {3, false, "", "SALON;DESPUES", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "modo " << c.modo << (c.llamadorAbierto ? " llamador" : ""));
        exec(QStringLiteral("UPDATE Mesa SET Nombre = CASE ID WHEN 1 THEN 'SALON' ELSE 'TERRAZA' END"));
        if (c.llamadorAbierto) {
            ASSERT_TRUE(m_db->beginTransaction());
            exec(QStringLiteral("UPDATE Mesa SET Nombre = 'LLAMADOR' WHERE ID = 2"));
        }
        EXPECT_EQ(rows(QStringLiteral("Cambiar %1").arg(c.modo)), QString::fromUtf8(c.resultado));
        EXPECT_EQ(rows(QStringLiteral("SELECT @@TRANCOUNT")), QString::number(c.cuentaDespues));
        if (c.cuentaDespues > 0) {
            ASSERT_TRUE(m_db->commit());
        }
        EXPECT_EQ(rows(QStringLiteral("SELECT Nombre FROM Mesa ORDER BY ID")), QString::fromUtf8(c.mesas));
    }
}

TEST_F(SqliteConnectionTest, BadInputIsACommandTextErrorAndTheConnectionGoesOn) {
    const QString big = QStringLiteral("SELECT '") + QString(1 << 20, u'x');
    for (const QString& bad :
         {QStringLiteral("SELECT 'abc"), QStringLiteral("SELECT 1 SELEC 2"), QStringLiteral(""),
          QStringLiteral("SELECT NOEXISTE(1)"), big, QStringLiteral("SELECT 1 FROM"),
          QString::fromUtf8("SELECT '\xff\xfe'") + QChar(0xD800)}) {
        auto result = m_db->execute(bad);
        ASSERT_FALSE(result) << bad.left(40).toStdString();
        EXPECT_EQ(result.status().code(), Status::Code::CommandTextError) << bad.left(40).toStdString();
        EXPECT_EQ(m_db->lastFailure().number, nerin::DbErrorNumber::kCommandText);
        ASSERT_EQ(m_db->errors().size(), 1);
    }
    EXPECT_EQ(failureOf(QStringLiteral("SELECT * FROM NoExiste")), Status::Code::NotFound);
    EXPECT_EQ(m_db->lastFailure().number, nerin::DbErrorNumber::kObjectNotFound);
    EXPECT_EQ(failureOf(QStringLiteral("EXEC NoExiste 1")), Status::Code::NotFound);
    // A batch that starts with an unknown word is a call of a procedure by that name, as the server
    // reads it.
    EXPECT_EQ(failureOf(QStringLiteral("SELEC 1")), Status::Code::NotFound);
    EXPECT_EQ(m_db->errors().value(0).nativeError, 2812);
    EXPECT_EQ(rows(QStringLiteral("SELECT 1")), QStringLiteral("1"));
    EXPECT_TRUE(m_db->errors().isEmpty());
}

TEST_F(SqliteConnectionTest, FailuresCarryTheServersNumbersAndTexts) {
    exec(QStringLiteral("CREATE TABLE Mesa (ID int PRIMARY KEY, Numero int NOT NULL, Zona varchar(10), "
                        "Clave char(2))"));
    exec(QStringLiteral("CREATE UNIQUE INDEX IX_Mesa_Clave ON Mesa (Clave)"));
    exec(QStringLiteral("CREATE TABLE Zona (ID int IDENTITY(1,1), Nombre varchar(10) UNIQUE)"));
    exec(QStringLiteral(
        "INSERT INTO Mesa VALUES (1, 10, 'Terraza', 'T1') INSERT Zona (Nombre) VALUES ('Bar')"));
    const struct {
        const char* sql;
        Status::Code code;
        int native;
        const char* state;
        const char* message;
    } cases[] = {
        {"SELECT * FROM Nada", Status::Code::NotFound, 208, "42S02", "Invalid object name 'Nada'."},
        {"SELECT Nada FROM Mesa", Status::Code::NotFound, 207, "42S22", "Invalid column name 'Nada'."},
        {"SELECT m.Nada FROM Mesa m", Status::Code::NotFound, 207, "42S22", "Invalid column name 'Nada'."},
        {"INSERT INTO Mesa (ID, Nada) VALUES (2, 1)", Status::Code::CommandTextError, 207, "42S22",
         "Invalid column name 'Nada'."},
        {"EXEC Nada", Status::Code::NotFound, 2812, "42S02", "Could not find stored procedure 'Nada'."},
        {"INSERT INTO Mesa VALUES (1, 11, 'Bar', 'B1')", Status::Code::DatabaseError, 2627, "23000",
         "Violation of PRIMARY KEY constraint 'PK_Mesa'. Cannot insert duplicate key in object 'dbo.Mesa'."},
        {"INSERT INTO Mesa VALUES (2, 11, 'Bar', 'T1')", Status::Code::DatabaseError, 2601, "23000",
         "Cannot insert duplicate key row in object 'dbo.Mesa' with unique index 'IX_Mesa_Clave'."},
        {"INSERT INTO Zona (Nombre) VALUES ('Bar')", Status::Code::DatabaseError, 2627, "23000",
         "Violation of UNIQUE KEY constraint 'UQ_Zona'. Cannot insert duplicate key in object 'dbo.Zona'."},
        {"INSERT INTO Mesa (ID) VALUES (3)", Status::Code::DatabaseError, 515, "23000",
         "Cannot insert the value NULL into column 'Numero', table 'nerin.dbo.Mesa'; column does not allow "
         "nulls. INSERT fails."},
        {"UPDATE Mesa SET Numero = NULL", Status::Code::DatabaseError, 515, "23000",
         "Cannot insert the value NULL into column 'Numero', table 'nerin.dbo.Mesa'; column does not allow "
         "nulls. UPDATE fails."},
        {"CREATE TABLE Mesa (ID int)", Status::Code::CommandTextError, 2714, "42S01",
         "There is already an object named 'Mesa' in the database."},
        {"SELECT ID FROM Mesa, Zona", Status::Code::CommandTextError, 209, "42000",
         "Ambiguous column name 'ID'."},
        {"INSERT INTO Mesa VALUES (4, 1)", Status::Code::CommandTextError, 213, "21S01",
         "Column name or number of supplied values does not match table definition."},
        {"SELECT 1, 2 UNION SELECT 3", Status::Code::CommandTextError, 205, "42000",
         "All queries combined using a UNION, INTERSECT or EXCEPT operator must have an equal number of "
         "expressions in their target lists."},
        {"SELECT CAST('x' AS int)", Status::Code::CommandTextError, 245, "22018",
         "Conversion failed when converting the varchar value 'x' to data type int."},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_EQ(failureOf(sql), c.code) << c.sql;
        const nerin::DbError error = m_db->errors().value(0);
        EXPECT_EQ(error.nativeError, c.native) << c.sql;
        EXPECT_EQ(error.sqlState, QString::fromLatin1(c.state)) << c.sql;
        EXPECT_TRUE(error.description.endsWith(QString::fromUtf8(c.message)))
            << error.description.toStdString();
    }
}

TEST_F(SqliteConnectionTest, BinaryLiteralsAreVarbinaryValues) {
    exec(QStringLiteral("CREATE TABLE Firma (ID int, Huella varbinary(8) DEFAULT 0x00FF)"));
    exec(QStringLiteral("INSERT INTO Firma VALUES (1, 0x0A0b) INSERT INTO Firma VALUES (2, 0x) "
                        "INSERT INTO Firma (ID) VALUES (3)"));
    const struct {
        const char* sql;
        const char* rows;
    } cases[] = {
        {"SELECT CAST(0x41 AS varchar), CONVERT(char(3), 0x4EE1), CAST(0x AS varchar(5))", "A|Ná |"},
        {"SELECT CAST(0x0A0b AS int), CAST(0x123 AS int), CAST(0xFFFF AS smallint), CAST(0x01FF AS tinyint)",
         "2571|291|-1|255"},
        {"SELECT ID FROM Firma WHERE Huella = 0x0A0B", "1"},
        {"SELECT ID FROM Firma WHERE Huella = 0x AND Huella IS NOT NULL", "2"},
        {"SELECT ID FROM Firma WHERE Huella = 0x00ff", "3"},
        {"DECLARE @b varchar(5) SET @b = CAST(0x4F4B AS varchar(5)) SELECT @b", "OK"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(QString::fromUtf8(c.sql)).toStdString(), c.rows) << c.sql;
}

TEST_F(SqliteConnectionTest, ChangesThroughASimpleViewReachItsTableWithinTheView) {
    exec(QStringLiteral("CREATE TABLE Producto (ID int, Nombre varchar(20), Estado char(1), Precio money)"));
    exec(QStringLiteral(
        "INSERT INTO Producto VALUES (1, 'Sopa', 'A', 10) INSERT INTO Producto VALUES (2, 'Pan', "
        "'A', 5) INSERT INTO Producto VALUES (3, 'Pan', 'B', 5)"));
    exec(QStringLiteral("CREATE VIEW vActivos (Clave, Nombre, Doble) AS SELECT p.ID, Nombre, Precio * 2 FROM "
                        "dbo.Producto p WHERE p.Estado = 'A'"));
    exec(QStringLiteral("CREATE VIEW vBaratos AS SELECT * FROM vActivos WHERE Doble < 15"));
    exec(QStringLiteral("CREATE VIEW vConteo AS SELECT Estado, COUNT(*) AS N FROM Producto GROUP BY Estado"));
    exec(QStringLiteral("CREATE VIEW vMezcla AS SELECT a.ID FROM Producto a, Producto b"));
    const struct {
        const char* sql;
        const char* affected; // rows touched, or the error's number
        const char* after;    // the table afterwards: ID|Nombre|Estado|Precio
    } cases[] = {
        {"UPDATE vActivos SET Nombre = 'Bolillo' WHERE Nombre = 'Pan'", "1",
         "1|Sopa|A|10;2|Bolillo|A|5;3|Pan|B|5"},
        {"UPDATE dbo.vActivos SET Nombre = vActivos.Nombre + '!' WHERE Doble > 10", "1",
         "1|Sopa!|A|10;2|Bolillo|A|5;3|Pan|B|5"},
        {"UPDATE vBaratos SET Nombre = 'Barato'", "1", "1|Sopa!|A|10;2|Barato|A|5;3|Pan|B|5"},
        {"DELETE FROM vActivos WHERE Clave = 3", "0", "1|Sopa!|A|10;2|Barato|A|5;3|Pan|B|5"},
        {"DELETE vBaratos", "1", "1|Sopa!|A|10;3|Pan|B|5"},
        {"UPDATE vActivos SET Doble = 4", "4406", "1|Sopa!|A|10;3|Pan|B|5"},
        {"UPDATE vConteo SET Estado = 'C'", "4403", "1|Sopa!|A|10;3|Pan|B|5"},
        {"DELETE FROM vMezcla", "4405", "1|Sopa!|A|10;3|Pan|B|5"},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        auto result = m_db->execute(sql);
        const QString affected =
            result ? QString::number(*result) : QString::number(m_db->errors().value(0).nativeError);
        EXPECT_EQ(affected.toStdString(), c.affected) << c.sql;
        EXPECT_EQ(
            rows(QStringLiteral("SELECT ID, Nombre, Estado, Precio FROM Producto ORDER BY ID")).toStdString(),
            c.after)
            << c.sql;
    }
}

TEST_F(SqliteConnectionTest, AVanishedDatabaseIsALostLink) {
    SqliteConnection missing(m_dir.path() + QStringLiteral("/no-existe.db"));
    const Status opened = missing.open();
    EXPECT_EQ(opened.code(), Status::Code::LostLink);
    EXPECT_EQ(missing.errors().value(0).sqlState, QStringLiteral("08001"));
    EXPECT_EQ(missing.execute(QStringLiteral("SELECT 1")).status().code(), Status::Code::LostLink);
}

TEST_F(SqliteConnectionTest, ADatabaseFileDestroyedUnderneathIsALostLink) {
    exec(QStringLiteral("CREATE TABLE T (a int)"));
    exec(QStringLiteral("INSERT INTO T VALUES (1)"));
    // Another program overwrites the file with something that is not a database.
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile file(path() + QString::fromLatin1(suffix));
        if (!file.exists())
            continue;
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(static_cast<int>(std::max<qint64>(file.size(), 4096)), 'x'));
        file.close();
    }
    SqliteConnection reopened(path());
    EXPECT_EQ(reopened.open().code(), Status::Code::LostLink);
    auto result = m_db->execute(QStringLiteral("INSERT INTO T VALUES (2)"));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.status().code(), Status::Code::LostLink);
    EXPECT_EQ(m_db->errors().value(0).sqlState, QStringLiteral("08S01"));
}

TEST_F(SqliteConnectionTest, MoneyDividesAsADecimalAndATimeAloneIsATimeOfDayZero) {
    exec(QStringLiteral("CREATE TABLE Pago (Monto money, Tasa decimal(5,2), Hora datetime)"));
    exec(QStringLiteral("INSERT INTO Pago VALUES (10, 16, '06/12/2026 13:45')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Monto * 5 / 100, Monto / Tasa FROM Pago")),
              QStringLiteral("0.5|0.625"));
    exec(QStringLiteral("UPDATE Pago SET Hora = '08:30'"));
    auto hora = m_db->query(
        QStringLiteral("SELECT Hora, DATEPART(hour, Hora), DATEDIFF(minute, Hora, '01/01/1900 09:00') "
                       "FROM Pago"));
    ASSERT_TRUE(hora) << hora.status().message().toStdString();
    EXPECT_EQ(hora->value(0).toDateTime(), QDateTime(QDate(1900, 1, 1), QTime(8, 30)));
    EXPECT_EQ(hora->value(1).toInt(), 8);
    EXPECT_EQ(hora->value(2).toInt(), 30);
}
