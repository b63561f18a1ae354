// T-SQL through the engine on a PostgreSQL database: what the terminal's statements give there, and
// how failures are numbered and worded as SQL Server words them.
#include "server/PostgresConnection.h"

#include "server/postgres/testing/PgTestFixtures.h"
#include "server/tests/ResultText.h"

#include <gtest/gtest.h>

using nerin::PostgresConnection;
using nerin::Status;
using nerin::testing::PgTestDatabase;
using nerin::testing_support::resultText;

namespace {

class PostgresConnectionTest : public nerin::testing::PgDatabaseTest {
protected:
    void SetUp() override {
        PgDatabaseTest::SetUp();
        if (stopped())
            return;
        m_db = nerin::testing::openInstalled(m_database);
        ASSERT_TRUE(m_db->isOpen());
    }

    std::unique_ptr<PostgresConnection> m_db;
};

TEST_F(PostgresConnectionTest, StatementsGiveWhatTheyGiveOnTheServer) {
    const struct {
        const char* sql;
        const char* expected; // rows as resultText() writes them
        int native = 0;       // the error's number, when it fails
    } cases[] = {
        {"CREATE TABLE Mesa (Numero int NOT NULL PRIMARY KEY, Nombre varchar(20), Total money, Fecha "
         "datetime)",
         ""},
        // Literals and variables bound by their types; day-first dates; money exact.
        {"INSERT INTO Mesa (Numero, Nombre, Total, Fecha) VALUES (12, 'Terraza', 10.25, '06/12/2026 13:45') "
         "SELECT @@IDENTITY",
         "NULL"},
        {"DECLARE @n int, @t varchar(20) SET @n = 12 SET @t = 'TERRAZA' "
         "SELECT Nombre, Total + 0.1 FROM Mesa WHERE Numero = @n AND Nombre = @t AND Numero = 12",
         "Terraza|10.35"},
        {"SELECT Numero FROM Mesa WHERE Fecha = '06/12/2026 13:45' AND Numero < 3000000000", "12"},
        {"DECLARE @f datetime SELECT @f = Fecha FROM Mesa SELECT DATEPART(month, @f), DAY(@f)", "12|6"},
        // A lone value assigned keeps its type: money adds, a date has parts, a big number stays whole.
        {"DECLARE @m money, @x money, @d datetime, @e datetime, @b bigint, @c bigint, @n int "
         "SET @m = 10.5 SET @x = @m SET @d = '06/12/2026 13:45' SET @e = @d SET @b = 3000000000 SET @c = @b "
         "SET @n = NULL SELECT @x + 0.25, DAY(@e), DATEPART(hour, @e), @c + 1, ISNULL(@n, 7)",
         "10.75|6|13|3000000001|7"},
        // Conditions on NULL and on whole numbers, and a comparison of texts without regard to case.
        {"DECLARE @n int, @m int, @s varchar(9), @f datetime SET @m = 3 SET @s = 'a' "
         "IF @n IS NULL SET @s = @s + 'b' IF @s IS NOT NULL SET @s = @s + 'c' IF @n IS NOT NULL SET @s = 'x' "
         "IF @s IS NULL SET @s = 'x' IF @f is null SET @s = @s + 'd' IF @m = 3 SET @s = @s + 'e' "
         "IF @m <> 3 SET @s = 'x' IF @n = @n SET @s = 'x' IF @n <> 1 SET @s = 'x' "
         "IF @m >= 003 SET @s = @s + 'f' IF 2 < @m SET @s = @s + 'g' IF @s = 'ABCDEFG' SET @s = @s + 'h' "
         "SELECT @s",
         "abcdefgh"},
        {"UPDATE Mesa SET Total = Total * 2 WHERE Numero = 12 SELECT @@ROWCOUNT", "1"},
        // A temporary table per connection, made again with other columns.
        {"CREATE TABLE #T (ID int IDENTITY(1,1), Texto varchar(10)) INSERT INTO #T (Texto) VALUES ('a') "
         "INSERT INTO #t (Texto) VALUES ('b') SELECT ID, Texto, SCOPE_IDENTITY() FROM #T ORDER BY ID",
         "1|a|2;2|b|2"},
        {"DROP TABLE #T CREATE TABLE #T (Otro money) INSERT INTO #T VALUES (5) SELECT * FROM #T", "5"},
        {"SELECT Numero, @@TRANCOUNT AS N INTO #Copia FROM Mesa WHERE Numero = 12 SELECT * FROM #Copia",
         "12|0"},
        // A "#" table made twice is refused, and leaves the connection outside any transaction.
        {"CREATE TABLE #copia (a int)",
         "ERROR Línea 1: There is already an object named '#copia' in the database.", 2714},
        {"SELECT @@TRANCOUNT, COUNT(*) FROM #Copia", "0|1"},
        // INTERSECT before UNION; binary literals; texts in variables compare without regard to case.
        {"SELECT 1 UNION SELECT 2 INTERSECT SELECT 2 ORDER BY 1", "1;2"},
        {"SELECT CAST(0x41 AS varchar), CONVERT(char(3), 0x4EE1), CAST(0x0A0b AS int), CAST(0xFFFF AS "
         "smallint)",
         "A|Ná |2571|-1"},
        // Failures as SQL Server numbers and words them.
        {"SELECT * FROM NoExiste", "ERROR Línea 1: Invalid object name 'NoExiste'.", 208},
        {"SELECT NoHay FROM Mesa", "ERROR Línea 1: Invalid column name 'NoHay'.", 207},
        {"SELECT m.Numero FROM Mesa m, Mesa n WHERE Numero = 1",
         "ERROR Línea 1: Ambiguous column name 'Numero'.", 209},
        {"INSERT INTO Mesa (Numero) VALUES (12)",
         "ERROR Línea 1: Violation of PRIMARY KEY constraint 'PK_mesa'. Cannot insert duplicate key in "
         "object "
         "'dbo.mesa'.",
         2627},
        {"UPDATE Mesa SET Numero = NULL",
         "ERROR Línea 1: Cannot insert the value NULL into column 'numero', table '%1.dbo.mesa'; column does "
         "not "
         "allow "
         "nulls. UPDATE fails.",
         515},
        {"SELECT 1 / 0", "ERROR Línea 1: Divide by zero error encountered.", 8134},
        {"SELECT CAST('x' AS int)",
         "ERROR Línea 1: Conversion failed when converting the varchar value 'x' to data type int.", 245},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_EQ(
            resultText(*m_db, sql).toStdString(),
            QString::fromUtf8(c.expected).replace(QStringLiteral("%1"), m_database.name()).toStdString())
            << c.sql;
        EXPECT_EQ(m_db->errors().value(0).nativeError, c.native) << c.sql;
    }
    // The commits of "#" tables did not wait for the disk; the session's other commits still do as
    // the server is set to.
    const auto durable = m_db->link().query(
        QStringLiteral("SELECT setting, reset_val FROM pg_settings WHERE name = 'synchronous_commit'"));
    ASSERT_TRUE(durable.isOk());
    EXPECT_EQ(durable.value().value(0).toString(), durable.value().value(1).toString());
    // Another connection has temporary tables of its own.
    PostgresConnection other(m_database.connInfo());
    ASSERT_TRUE(other.open().isOk());
    EXPECT_EQ(resultText(other, QStringLiteral("SELECT count(*) FROM #T")).toStdString(),
              "ERROR Línea 1: Invalid object name '#t'.");
}

TEST_F(PostgresConnectionTest, ADatabaseNotSetUpIsRefusedWithHowToSetItUp) {
    PgTestDatabase empty;
    ASSERT_TRUE(empty.create().isOk());
    PostgresConnection db(empty.connInfo());
    const Status opened = db.open();
    EXPECT_EQ(opened.code(), Status::Code::LostLink);
    EXPECT_TRUE(opened.message().contains(QStringLiteral("nerin-sql --create")))
        << qPrintable(opened.message());
    EXPECT_FALSE(db.isOpen());
}

} // namespace
