#pragma once

#include "base/Status.h"
#include "data/Connection.h"

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace nerin {

// Where the terminal's database is and how to reach it, from the terminal's settings (group
// "Configuracion"): "Motor" chooses the back-end ("sqlite", the default, "odbc" or "postgres", in any
// case); with sqlite, "Servidor" is the folder that holds the database file "<BASE_DE_DATOS>.db"; with
// odbc, "Servidor" is the SQL Server host and instance; with postgres, the server's host, optionally
// with its port ("host:port", "[ipv6]:port"; 5432 by default, localhost when empty).
//
// "Usuario" names the database login and "ArchivoClave" the file that holds its password (see
// PasswordFile); a password is never read from the settings. Without them, odbc logs in with the login
// the terminals have always used, and postgres with libpq's defaults (the system user's name, no
// password).
struct DatabaseSettings {
    // A login and its password, as read from the password file.
    struct Login {
        QString usuario;
        QString clave;
    };
    // Where a PostgreSQL server listens.
    struct Address {
        QString host;
        int port = 5432;
    };

    QString motor = QStringLiteral("sqlite");
    QString servidor;
    QString baseDeDatos = QStringLiteral("DBNERIN");
    QString usuario;
    QString archivoClave;

    // The values as written; a missing or empty "Motor" reads as "sqlite".
    static DatabaseSettings fromSettings(QSettings& settings);

    // The values "Motor" accepts.
    static QStringList motores();
    // Ok when "Motor" is one of motores(), a postgres "Servidor" has a valid port, and the login keys
    // go together (a password file with the login it is for; with odbc, a login with its password
    // file); otherwise the reason, for the program to refuse to start: an unknown back-end is never
    // taken for the embedded one.
    Status check() const;

    bool usesOdbc() const { return motor.compare(QStringLiteral("odbc"), Qt::CaseInsensitive) == 0; }
    bool usesPostgres() const { return motor.compare(QStringLiteral("postgres"), Qt::CaseInsensitive) == 0; }
    // The embedded database file.
    QString databaseFile() const;
    // The login to use: "Usuario" with the password from "ArchivoClave"; with odbc and neither key, the
    // terminals' fixed login. The password file's refusal when it may not be used.
    Result<Login> login() const;
    // "server=<Servidor>;driver={SQL Server};database=<BASE_DE_DATOS>;uid=...;pwd=...": the ODBC driver
    // manager must know the FreeTDS driver by the name "SQL Server" (odbcinst.ini).
    QString odbcConnectionString(const Login& login) const;
    // The PostgreSQL server's host and port from "Servidor"; the reason when the port is not valid.
    Result<Address> postgresAddress() const;
    // The libpq connection string for the server, the database and the login (an empty login or
    // password is left to libpq's defaults). Only for settings that check() accepts.
    QString postgresConnInfo(const Login& login) const;
};

// The connection the settings describe, not yet open; none when check() refuses them. A connection
// whose password file may not be used refuses to open and says why.
std::unique_ptr<Connection> createConnection(const DatabaseSettings& settings);

} // namespace nerin
