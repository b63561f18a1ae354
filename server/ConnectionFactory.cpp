#include "server/ConnectionFactory.h"

#include "data/odbc/OdbcConnection.h"
#include "server/SqliteConnection.h"

#include <QSettings>

namespace nerin {

namespace {

// The terminals' database login, the same on every installation.
constexpr const char* kUser = "Terminales";
constexpr const char* kPassword = "wbe52k7nq";
// How long a statement may run before the driver gives up, in seconds.
constexpr int kCommandTimeout = 100000;

} // namespace

DatabaseSettings DatabaseSettings::fromSettings(QSettings& settings) {
    DatabaseSettings result;
    settings.beginGroup(QStringLiteral("Configuracion"));
    result.motor = settings.value(QStringLiteral("Motor"), result.motor).toString().trimmed();
    result.servidor = settings.value(QStringLiteral("Servidor")).toString().trimmed();
    result.baseDeDatos =
        settings.value(QStringLiteral("BASE_DE_DATOS"), result.baseDeDatos).toString().trimmed();
    settings.endGroup();
    if (result.motor.isEmpty())
        result.motor = QStringLiteral("sqlite");
    if (result.baseDeDatos.isEmpty())
        result.baseDeDatos = QStringLiteral("DBNERIN");
    return result;
}

QStringList DatabaseSettings::motores() {
    return {QStringLiteral("sqlite"), QStringLiteral("odbc")};
}

Status DatabaseSettings::check() const {
    if (motores().contains(motor, Qt::CaseInsensitive))
        return Status::ok();
    return Status::invalid(
        QStringLiteral("El motor de base de datos \"%1\" de la configuración no es válido; "
                       "los valores aceptados son: %2.")
            .arg(motor, motores().join(QStringLiteral(", "))));
}

QString DatabaseSettings::databaseFile() const {
    const QString folder = servidor.isEmpty() ? QStringLiteral(".") : servidor;
    return folder + u'/' + baseDeDatos + QStringLiteral(".db");
}

QString DatabaseSettings::odbcConnectionString() const {
    return QStringLiteral("server=") + servidor + QStringLiteral(";driver={SQL Server};database=") +
           baseDeDatos + QStringLiteral(";uid=") + QString::fromLatin1(kUser) + QStringLiteral(";pwd=") +
           QString::fromLatin1(kPassword);
}

std::unique_ptr<Connection> createConnection(const DatabaseSettings& settings) {
    if (!settings.check())
        return nullptr;
    if (settings.usesOdbc())
        return std::make_unique<OdbcConnection>(settings.odbcConnectionString(), kCommandTimeout);
    return std::make_unique<SqliteConnection>(settings.databaseFile());
}

} // namespace nerin
