#pragma once

#include "base/Status.h"
#include "data/Connection.h"

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace nerin {

// Where the terminal's database is and how to reach it, from the terminal's settings (group
// "Configuracion"): "Motor" chooses the back-end ("sqlite", the default, or "odbc", in any case); with
// sqlite, "Servidor" is the folder that holds the database file "<BASE_DE_DATOS>.db"; with odbc,
// "Servidor" is the SQL Server host and instance, reached with the connection string the terminals have
// always used.
struct DatabaseSettings {
    QString motor = QStringLiteral("sqlite");
    QString servidor;
    QString baseDeDatos = QStringLiteral("DBNERIN");

    // The values as written; a missing or empty "Motor" reads as "sqlite".
    static DatabaseSettings fromSettings(QSettings& settings);

    // The values "Motor" accepts.
    static QStringList motores();
    // Ok when "Motor" is one of motores(); otherwise the reason, naming the accepted values, for the
    // program to refuse to start: an unknown back-end is never taken for the embedded one.
    Status check() const;

    bool usesOdbc() const { return motor.compare(QStringLiteral("odbc"), Qt::CaseInsensitive) == 0; }
    // The embedded database file.
    QString databaseFile() const;
    // "server=<Servidor>;driver={SQL Server};database=<BASE_DE_DATOS>;uid=...;pwd=...": the ODBC driver
    // manager must know the FreeTDS driver by the name "SQL Server" (odbcinst.ini).
    QString odbcConnectionString() const;
};

// The connection the settings describe, not yet open; none when check() refuses them.
std::unique_ptr<Connection> createConnection(const DatabaseSettings& settings);

} // namespace nerin
