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

TEST(ConnectionFactory, OnlyTheKnownBackEndsAreAccepted) {
    const struct {
        const char* motor;
        bool accepted;
    } cases[] = {{"sqlite", true}, {"SQLite", true}, {"", true},        {"odbc", true},
                 {"ODBC", true},   {"mysql", false}, {"sqlite3", false}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        QSettings settings(dir.path() + QStringLiteral("/nerin.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Configuracion/Motor"), QString::fromLatin1(c.motor));
        const DatabaseSettings database = DatabaseSettings::fromSettings(settings);
        EXPECT_EQ(database.check().isOk(), c.accepted) << c.motor;
        // An unknown back-end never becomes the embedded one.
        EXPECT_EQ(nerin::createConnection(database) != nullptr, c.accepted) << c.motor;
        if (!c.accepted) {
            EXPECT_EQ(database.check().message(),
                      QStringLiteral("El motor de base de datos \"%1\" de la configuración no es válido; los "
                                     "valores aceptados son: sqlite, odbc.")
                          .arg(QString::fromLatin1(c.motor)));
        }
    }
}
