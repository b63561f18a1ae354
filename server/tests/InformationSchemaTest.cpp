// SQL Server's INFORMATION_SCHEMA views through the engine, embedded and on a PostgreSQL server: the
// same rows, under the same column names, on both.
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestFixtures.h"
#include "server/tests/ResultText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::Connection;
using nerin::PostgresConnection;
using nerin::SqliteConnection;
using nerin::testing::PgTestDatabase;
using nerin::testing_support::resultText;

namespace {

enum class Motor { Sqlite, Postgres };

class InformationSchemaTest : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        if (GetParam() == Motor::Sqlite) {
            ASSERT_TRUE(m_dir.isValid());
            m_db = std::make_unique<SqliteConnection>(m_dir.path() + QStringLiteral("/nerin.db"),
                                                      SqliteConnection::OpenMode::CreateIfMissing);
            ASSERT_TRUE(m_db->open());
            m_catalog = QStringLiteral("nerin");
        } else {
            if (PgTestDatabase::clusterConnInfo().isEmpty())
                GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
            ASSERT_TRUE(m_pg.create());
            m_db = nerin::testing::openInstalled(m_pg);
            m_catalog = m_pg.name();
        }
        ASSERT_TRUE(m_db->isOpen());
    }

    void exec(const QString& sql) {
        auto result = m_db->execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    // Every row of the first result, the database's name as "%db".
    std::string rows(const QString& sql) {
        return resultText(*m_db, sql).replace(m_catalog, QStringLiteral("%db")).toStdString();
    }

    QTemporaryDir m_dir;
    PgTestDatabase m_pg;
    std::unique_ptr<Connection> m_db;
    QString m_catalog;
};

TEST_P(InformationSchemaTest, ListsTheDatabasesOwnObjectsAsTheyWereWritten) {
    exec(QStringLiteral("CREATE TABLE Mesa (ID int IDENTITY(1,1), Nombre nvarchar(30) NOT NULL DEFAULT 'x', "
                        "Precio money, Tasa decimal(5,2), Notas varchar(max), [Código] char(3))"));
    exec(QStringLiteral("ALTER TABLE Mesa ADD Activa bit NOT NULL DEFAULT 1"));
    exec(QStringLiteral("CREATE VIEW vMesas AS SELECT Nombre FROM Mesa WHERE Precio > 0"));
    exec(QStringLiteral("CREATE PROCEDURE Abrir @n int AS SELECT @n"));
    exec(QStringLiteral("CREATE TABLE #Tmp (ID int)"));
    const struct {
        const char* sql;
        const char* rows;
    } cases[] = {
        {"SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE FROM INFORMATION_SCHEMA.TABLES "
         "ORDER BY TABLE_NAME",
         "%db|dbo|Mesa|BASE TABLE;%db|dbo|vMesas|VIEW"},
        {"SELECT COLUMN_NAME, ORDINAL_POSITION, COLUMN_DEFAULT, IS_NULLABLE, DATA_TYPE, "
         "CHARACTER_MAXIMUM_LENGTH, NUMERIC_PRECISION, NUMERIC_SCALE FROM information_schema.columns "
         "WHERE table_name = 'MESA' ORDER BY ORDINAL_POSITION",
         "ID|1|NULL|NO|int|NULL|10|0;Nombre|2|('x')|NO|nvarchar|30|NULL|NULL;Precio|3|NULL|YES|money|NULL|19|"
         "4;"
         "Tasa|4|NULL|YES|decimal|NULL|5|2;Notas|5|NULL|YES|varchar|-1|NULL|NULL;"
         "Código|6|NULL|YES|char|3|NULL|NULL;Activa|7|(1)|NO|bit|NULL|1|NULL"},
        {"SELECT TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME "
         "= "
         "'vmesas'",
         "vMesas|Nombre|1"},
        {"SELECT TABLE_NAME, VIEW_DEFINITION, CHECK_OPTION FROM INFORMATION_SCHEMA.VIEWS",
         "vMesas|CREATE VIEW vMesas AS SELECT Nombre FROM Mesa WHERE Precio > 0|NONE"},
        {"SELECT ROUTINE_CATALOG, ROUTINE_SCHEMA, ROUTINE_NAME, ROUTINE_TYPE FROM "
         "INFORMATION_SCHEMA.ROUTINES",
         "%db|dbo|Abrir|PROCEDURE"},
        {"SELECT COUNT(*) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_NAME IN ('mesa', 'VMESAS', '#Tmp') "
         "AND TABLE_SCHEMA = 'DBO'",
         "2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(QString::fromUtf8(c.sql)), c.rows) << c.sql;
}

// The usual script that drops an object when it exists: run twice, the second time it finds nothing.
TEST_P(InformationSchemaTest, ScriptsDropWhatExistsAndRunAgain) {
    exec(QStringLiteral("CREATE TABLE Mesa (ID int)"));
    exec(QStringLiteral("CREATE VIEW vMesas AS SELECT ID FROM Mesa"));
    exec(QStringLiteral("CREATE PROCEDURE Abrir AS SELECT 1"));
    const QString script = QStringLiteral(
        "IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.VIEWS WHERE TABLE_NAME = 'vmesas') DROP VIEW vMesas "
        "IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_NAME = 'Mesa' AND TABLE_TYPE = "
        "'BASE TABLE') DROP TABLE Mesa "
        "IF EXISTS (SELECT * FROM INFORMATION_SCHEMA.ROUTINES WHERE ROUTINE_NAME = 'ABRIR') DROP PROCEDURE "
        "Abrir");
    for (int run = 1; run <= 2; ++run) {
        exec(script);
        EXPECT_EQ(rows(QStringLiteral("SELECT (SELECT COUNT(*) FROM INFORMATION_SCHEMA.TABLES) + "
                                      "(SELECT COUNT(*) FROM INFORMATION_SCHEMA.ROUTINES)")),
                  "0")
            << "run " << run;
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, InformationSchemaTest, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const ::testing::TestParamInfo<Motor>& motor) {
                             return motor.param == Motor::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
