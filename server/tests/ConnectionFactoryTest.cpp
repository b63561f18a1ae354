#include "server/ConnectionFactory.h"

#include "data/odbc/OdbcConnection.h"
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::DatabaseSettings;

namespace {

// The database settings an INI file with these keys of [Configuracion] gives.
DatabaseSettings settingsWith(const QTemporaryDir& dir,
                              std::initializer_list<std::pair<const char*, QString>> keys) {
    QSettings settings(dir.filePath(QStringLiteral("nerin.ini")), QSettings::IniFormat);
    settings.clear();
    for (const auto& [key, value] : keys)
        settings.setValue(QStringLiteral("Configuracion/") + QString::fromLatin1(key), value);
    return DatabaseSettings::fromSettings(settings);
}

// A password file with `content`, readable by its owner only unless told otherwise.
QString passwordFile(const QTemporaryDir& dir, const QByteArray& content,
                     QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner) {
    const QString path = dir.filePath(QStringLiteral("clave"));
    QFile file(path);
    file.remove();
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    EXPECT_TRUE(file.setPermissions(permissions));
    return path;
}

} // namespace

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
    const auto login = database.login();
    ASSERT_TRUE(login.isOk());
    EXPECT_EQ(database.odbcConnectionString(*login),
              QStringLiteral("server=CAJA1\\SQLEXPRESS;driver={SQL Server};database=Sucursal3;uid=Terminales;"
                             "pwd=wbe52k7nq"));
}

TEST(ConnectionFactory, OdbcLogsInWithTheNamedLoginAndThePasswordOfItsFile) {
    QTemporaryDir dir;
    const QString clave = passwordFile(dir, "p;w}d\n");
    const DatabaseSettings database = settingsWith(dir, {{"Motor", QStringLiteral("odbc")},
                                                         {"Servidor", QStringLiteral("CAJA1")},
                                                         {"Usuario", QStringLiteral("caja")},
                                                         {"ArchivoClave", clave}});
    ASSERT_TRUE(database.check().isOk());
    const auto login = database.login();
    ASSERT_TRUE(login.isOk()) << qPrintable(login.status().message());
    // A password that holds ";" or braces stays one value.
    EXPECT_EQ(database.odbcConnectionString(*login),
              QStringLiteral("server=CAJA1;driver={SQL Server};database=DBNERIN;uid=caja;pwd={p;w}}d}"));
    EXPECT_NE(dynamic_cast<nerin::OdbcConnection*>(nerin::createConnection(database).get()), nullptr);

    // A file others can read is never used: the connection refuses to open and says why.
    ASSERT_TRUE(QFile::setPermissions(clave, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    auto refused = nerin::createConnection(database);
    ASSERT_NE(refused, nullptr);
    const nerin::Status opened = refused->open();
    EXPECT_FALSE(opened.isOk());
    EXPECT_EQ(opened.message(),
              QStringLiteral("El archivo de la clave %1 tiene permisos 604; solo su dueño debe "
                             "poder leerlo (permisos 600 o 400).")
                  .arg(clave));
}

TEST(ConnectionFactory, TheLoginAndItsPasswordFileGoTogether) {
    QTemporaryDir dir;
    const QString clave = passwordFile(dir, "s3cr3t");
    const struct {
        const char* motor;
        const char* usuario;
        bool conArchivo;
        const char* refusal; // empty when accepted
    } cases[] = {
        {"odbc", "caja", false,
         "La configuración nombra el usuario de la base de datos caja (Usuario) pero no el archivo de su "
         "clave (ArchivoClave)."},
        {"odbc", "", true,
         "La configuración nombra el archivo de la clave (ArchivoClave) pero no el usuario de la base de "
         "datos (Usuario)."},
        {"postgres", "", true,
         "La configuración nombra el archivo de la clave (ArchivoClave) pero no el usuario de la base de "
         "datos (Usuario)."},
        {"postgres", "caja", false, ""},
        {"sqlite", "caja", false, ""},
    };
    for (const auto& c : cases) {
        const DatabaseSettings database =
            settingsWith(dir, {{"Motor", QString::fromLatin1(c.motor)},
                               {"Usuario", QString::fromLatin1(c.usuario)},
                               {"ArchivoClave", c.conArchivo ? clave : QString()}});
        EXPECT_EQ(database.check().message(), QString::fromUtf8(c.refusal)) << c.motor << c.usuario;
    }
}

TEST(ConnectionFactory, PostgresServerIsAHostWithAnOptionalPort) {
    const struct {
        const char* servidor;
        const char* host; // null when refused
        int port;
    } cases[] = {
        {"", "localhost", 5432},      {"db.local", "db.local", 5432}, {"db.local:6432", "db.local", 6432},
        {"[::1]:6000", "::1", 6000},  {"[fe80::1]", "fe80::1", 5432}, {"db.local:", nullptr, 0},
        {"db.local:abc", nullptr, 0}, {"db.local:0", nullptr, 0},     {"db.local:65536", nullptr, 0},
        {"[::1]6000", nullptr, 0},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const DatabaseSettings database = settingsWith(
            dir, {{"Motor", QStringLiteral("postgres")}, {"Servidor", QString::fromLatin1(c.servidor)}});
        const auto address = database.postgresAddress();
        ASSERT_EQ(address.isOk(), c.host != nullptr) << c.servidor;
        EXPECT_EQ(database.check().isOk(), c.host != nullptr) << c.servidor;
        if (!c.host) {
            EXPECT_EQ(address.status().message(),
                      QStringLiteral("El servidor \"%1\" de la configuración no es válido: el puerto va tras "
                                     "\":\" y es un número del 1 al 65535.")
                          .arg(QString::fromLatin1(c.servidor)));
            continue;
        }
        EXPECT_EQ(address->host, QString::fromLatin1(c.host)) << c.servidor;
        EXPECT_EQ(address->port, c.port) << c.servidor;
    }
}

TEST(ConnectionFactory, PostgresLogsInWithThePasswordOfItsFile) {
    QTemporaryDir dir;
    const QString clave = passwordFile(dir, "it's\\x\n", QFile::ReadOwner);
    const DatabaseSettings database = settingsWith(dir, {{"Motor", QStringLiteral("Postgres")},
                                                         {"Servidor", QStringLiteral("db.local:6432")},
                                                         {"BASE_DE_DATOS", QStringLiteral("Sucursal 3")},
                                                         {"Usuario", QStringLiteral("caja")},
                                                         {"ArchivoClave", clave}});
    const auto login = database.login();
    ASSERT_TRUE(login.isOk()) << qPrintable(login.status().message());
    EXPECT_EQ(
        database.postgresConnInfo(*login),
        QStringLiteral("host='db.local' port=6432 dbname='Sucursal 3' user='caja' password='it\\'s\\\\x'"));
    EXPECT_EQ(DatabaseSettings().postgresConnInfo({}),
              QStringLiteral("host='localhost' port=5432 dbname='DBNERIN'"));

    auto connection = nerin::createConnection(database);
    EXPECT_NE(dynamic_cast<nerin::PostgresConnection*>(connection.get()), nullptr);
}

TEST(ConnectionFactory, OnlyTheKnownBackEndsAreAccepted) {
    const struct {
        const char* motor;
        bool accepted;
    } cases[] = {{"sqlite", true}, {"SQLite", true},   {"", true},
                 {"odbc", true},   {"ODBC", true},     {"postgres", true},
                 {"mysql", false}, {"sqlite3", false}, {"postgresql", false}};
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
                                     "valores aceptados son: sqlite, odbc, postgres.")
                          .arg(QString::fromLatin1(c.motor)));
        }
    }
}
