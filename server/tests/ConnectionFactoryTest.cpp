#include "server/ConnectionFactory.h"

#include "server/SqliteConnection.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::DatabaseSettings;

TEST(ConnectionFactory, TheEmbeddedFileIsTheDefault) {
    QTemporaryDir dir;
    QSettings settings(dir.path() + QStringLiteral("/nerin.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Configuracion/Servidor"), dir.path());
    const DatabaseSettings database = DatabaseSettings::fromSettings(settings);
    EXPECT_FALSE(database.usesOdbc());
    EXPECT_EQ(database.databaseFile(), dir.path() + QStringLiteral("/DBNERIN.db"));
    auto connection = nerin::createConnection(database);
    ASSERT_NE(dynamic_cast<nerin::SqliteConnection*>(connection.get()), nullptr);
    // The file must exist: a terminal never creates an empty restaurant by accident.
    EXPECT_EQ(connection->open().code(), nerin::Status::Code::LostLink);
}

TEST(ConnectionFactory, OdbcKeepsTheTerminalsConnectionString) {
    QTemporaryDir dir;
    QSettings settings(dir.path() + QStringLiteral("/nerin.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Configuracion/Motor"), QStringLiteral("ODBC"));
    settings.setValue(QStringLiteral("Configuracion/Servidor"), QStringLiteral("CAJA1\\SQLEXPRESS"));
    settings.setValue(QStringLiteral("Configuracion/BASE_DE_DATOS"), QStringLiteral("Sucursal3"));
    const DatabaseSettings database = DatabaseSettings::fromSettings(settings);
    EXPECT_TRUE(database.usesOdbc());
    EXPECT_EQ(database.odbcConnectionString(),
              QStringLiteral("server=CAJA1\\SQLEXPRESS;driver={SQL Server};database=Sucursal3;uid=Terminales;"
                             "pwd=wbe52k7nq"));
}
