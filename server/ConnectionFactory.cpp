#include "server/ConnectionFactory.h"

#include "data/odbc/OdbcConnection.h"
#include "server/PasswordFile.h"
#include "server/PostgresConnection.h"
#include "server/RefusedConnection.h"
#include "server/SqliteConnection.h"

#include <QSettings>

namespace nerin {

namespace {

// The terminals' database login, the same on every installation unless the settings name another.
constexpr const char* kUser = "Terminales";
constexpr const char* kPassword = "wbe52k7nq";
// How long a statement may run before the driver gives up, in seconds.
constexpr int kCommandTimeout = 100000;

QString read(QSettings& settings, const char* key, const QString& fallback = {}) {
    return settings.value(QString::fromLatin1(key), fallback).toString().trimmed();
}

// A value of an ODBC connection string: in braces, with "}" doubled, when it holds a character that
// would end the value or the braces, or spaces at its ends.
QString odbcValue(const QString& value) {
    const bool plain =
        !value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') && value.trimmed() == value;
    if (plain)
        return value;
    QString escaped = value;
    escaped.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + escaped + u'}';
}

// A value of a libpq connection string, in quotes with "\" and "'" escaped.
QString pgValue(QString value) {
    value.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    value.replace(QStringLiteral("'"), QStringLiteral("\\'"));
    return u'\'' + value + u'\'';
}

} // namespace

DatabaseSettings DatabaseSettings::fromSettings(QSettings& settings) {
    DatabaseSettings result;
    settings.beginGroup(QStringLiteral("Configuracion"));
    result.motor = read(settings, "Motor", result.motor);
    result.servidor = read(settings, "Servidor");
    result.baseDeDatos = read(settings, "BASE_DE_DATOS", result.baseDeDatos);
    result.usuario = read(settings, "Usuario");
    result.archivoClave = read(settings, "ArchivoClave");
    settings.endGroup();
    if (result.motor.isEmpty())
        result.motor = QStringLiteral("sqlite");
    if (result.baseDeDatos.isEmpty())
        result.baseDeDatos = QStringLiteral("DBNERIN");
    return result;
}

QStringList DatabaseSettings::motores() {
    return {QStringLiteral("sqlite"), QStringLiteral("odbc"), QStringLiteral("postgres")};
}

Status DatabaseSettings::check() const {
    if (!motores().contains(motor, Qt::CaseInsensitive))
        return Status::invalid(
            QStringLiteral("El motor de base de datos \"%1\" de la configuración no es válido; "
                           "los valores aceptados son: %2.")
                .arg(motor, motores().join(QStringLiteral(", "))));
    if (!usesOdbc() && !usesPostgres())
        return Status::ok();
    if (usesPostgres()) {
        if (const Result<Address> address = postgresAddress(); !address)
            return address.status();
    }
    if (!archivoClave.isEmpty() && usuario.isEmpty())
        return Status::invalid(QStringLiteral("La configuración nombra el archivo de la clave (ArchivoClave) "
                                              "pero no el usuario de la base de datos (Usuario)."));
    if (usesOdbc() && !usuario.isEmpty() && archivoClave.isEmpty())
        return Status::invalid(QStringLiteral("La configuración nombra el usuario de la base de datos %1 "
                                              "(Usuario) pero no el archivo de su clave (ArchivoClave).")
                                   .arg(usuario));
    return Status::ok();
}

QString DatabaseSettings::databaseFile() const {
    const QString folder = servidor.isEmpty() ? QStringLiteral(".") : servidor;
    return folder + u'/' + baseDeDatos + QStringLiteral(".db");
}

Result<DatabaseSettings::Login> DatabaseSettings::login() const {
    if (archivoClave.isEmpty()) {
        if (usesOdbc() && usuario.isEmpty())
            return Login{QString::fromLatin1(kUser), QString::fromLatin1(kPassword)};
        return Login{usuario, QString()};
    }
    Result<QString> clave = PasswordFile::read(archivoClave);
    if (!clave)
        return clave.status();
    return Login{usuario, std::move(clave).value()};
}

QString DatabaseSettings::odbcConnectionString(const Login& login) const {
    return QStringLiteral("server=") + servidor + QStringLiteral(";driver={SQL Server};database=") +
           baseDeDatos + QStringLiteral(";uid=") + odbcValue(login.usuario) + QStringLiteral(";pwd=") +
           odbcValue(login.clave);
}

Result<DatabaseSettings::Address> DatabaseSettings::postgresAddress() const {
    Address address{servidor, 5432};
    std::optional<QString> port;
    if (servidor.startsWith(u'[')) {
        // An IPv6 address, in brackets so that its colons are not taken for the port's.
        const qsizetype close = servidor.indexOf(u']');
        const QString rest = close < 0 ? QStringLiteral("?") : servidor.mid(close + 1);
        address.host = servidor.mid(1, close - 1);
        if (!rest.isEmpty())
            port = rest.startsWith(u':') ? rest.mid(1) : QStringLiteral("?");
    } else if (servidor.count(u':') == 1) {
        address.host = servidor.section(u':', 0, 0);
        port = servidor.section(u':', 1);
    }
    if (address.host.isEmpty())
        address.host = QStringLiteral("localhost");
    if (!port)
        return address;
    bool number = false;
    address.port = port->toInt(&number);
    if (!number || address.port < 1 || address.port > 65535)
        return Status::invalid(
            QStringLiteral("El servidor \"%1\" de la configuración no es válido: el puerto "
                           "va tras \":\" y es un número del 1 al 65535.")
                .arg(servidor));
    return address;
}

QString DatabaseSettings::postgresConnInfo(const Login& login) const {
    const Address address = postgresAddress().valueOr(Address{});
    QString info = QStringLiteral("host=") + pgValue(address.host) + QStringLiteral(" port=") +
                   QString::number(address.port) + QStringLiteral(" dbname=") + pgValue(baseDeDatos);
    if (!login.usuario.isEmpty())
        info += QStringLiteral(" user=") + pgValue(login.usuario);
    if (!login.clave.isEmpty())
        info += QStringLiteral(" password=") + pgValue(login.clave);
    return info;
}

std::unique_ptr<Connection> createConnection(const DatabaseSettings& settings) {
    if (!settings.check())
        return nullptr;
    if (!settings.usesOdbc() && !settings.usesPostgres())
        return std::make_unique<SqliteConnection>(settings.databaseFile());
    Result<DatabaseSettings::Login> login = settings.login();
    if (!login)
        return std::make_unique<RefusedConnection>(login.status());
    if (settings.usesOdbc())
        return std::make_unique<OdbcConnection>(settings.odbcConnectionString(*login), kCommandTimeout);
    return std::make_unique<PostgresConnection>(settings.postgresConnInfo(*login));
}

} // namespace nerin
