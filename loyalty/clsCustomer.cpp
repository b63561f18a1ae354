#include "loyalty/clsCustomer.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "loyalty/TramaLealtad.h"
#include "loyalty/clsWebService.h"

namespace nerin {

namespace {

bool caracterDeCorreo(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-' || c == u'.' || c == u'@';
}

} // namespace

clsCustomer::clsCustomer(Prompts& prompts) : m_prompts(prompts) {}

clsCustomer::clsCustomer(Prompts& prompts, clsWebService& servicio)
    : m_prompts(prompts), m_servicio(&servicio) {}

bool clsCustomer::emailValido(const QString& email) {
    for (const QChar c : email)
        if (!caracterDeCorreo(c))
            return false;
    const qsizetype arroba = email.indexOf(u'@');
    if (arroba < 1 || email.count(u'@') != 1)
        return false;
    const QString dominio = email.mid(arroba + 1);
    return dominio.contains(u'.') && !dominio.startsWith(u'.') && !dominio.endsWith(u'.');
}

bool clsCustomer::fallo(const QString& mensaje) {
    m_prompts.Mensaje(mensaje, Prompts::kExclamation);
    return false;
}

bool clsCustomer::temporalValida() {
    if (tempcard.isEmpty())
        return fallo(QStringLiteral("Completar Tarjeta Temporal"));
    if (tempcard.size() != 7)
        return fallo(QStringLiteral("Tarjeta temporal debe ser a 7 dígitos"));
    return true;
}

QString clsCustomer::camposRegistro(const QString& edadEnviada, const QString& operacion) const {
    return TramaLealtad::armar({{QStringLiteral("Age"), edadEnviada},
                                {QStringLiteral("City"), ciudad},
                                {QStringLiteral("Email"), Email},
                                {QStringLiteral("FirstName"), nombre},
                                {QStringLiteral("Gender"), genero},
                                {QStringLiteral("LastName"), apellidos},
                                {QStringLiteral("OperationType"), operacion},
                                {QStringLiteral("PostalCode"), CP},
                                {QStringLiteral("Temp_Card"), tempcard}});
}

std::optional<QString> clsCustomer::solicitudRegistro(const QString& operacion) {
    bool valido = true;
    // Only the first failing check of each field is shown, as each field's checks stop at the first.
    const auto exigir = [this, &valido](bool cumple, const char* mensaje) {
        if (!cumple)
            valido = fallo(QString::fromUtf8(mensaje));
        return cumple;
    };
    exigir(!apellidos.trimmed().isEmpty(), "Completar Apellidos");
    exigir(!nombre.trimmed().isEmpty(), "Completar Nombre");
    if (exigir(TramaLealtad::soloDigitos(CP), "Completar Código Postal, Solo números"))
        exigir(CP.size() == 5, "Código Postal debe ser a 5 dígitos");
    if (exigir(!Email.isEmpty(), "Completar Email"))
        exigir(emailValido(Email), "Email invalido");
    exigir(TramaLealtad::soloDigitos(edad), "Completar Edad, Solo números");
    exigir(!genero.trimmed().isEmpty(), "Seleccionar Genero");
    exigir(!ciudad.trimmed().isEmpty(), "Completar Ciudad");
    if (!temporalValida())
        valido = false;
    if (!valido) {
        responsemessage = QString::fromUtf8(kValidacion);
        return std::nullopt;
    }
    return camposRegistro(edad, operacion);
}

std::optional<QString> clsCustomer::solicitudAviso(const QString& operacion) {
    if (!temporalValida()) {
        responsemessage = QString::fromUtf8(kValidacion);
        return std::nullopt;
    }
    return camposRegistro(QStringLiteral("0"), operacion);
}

std::optional<QString> clsCustomer::solicitudBuscar() {
    if (!temporalValida()) {
        responsemessage = QString::fromUtf8(kValidacion);
        return std::nullopt;
    }
    return TramaLealtad::armar({{QStringLiteral("TempCard"), tempcard},
                                {QStringLiteral("CardNumber"), cardnumber},
                                {QStringLiteral("OperationType"), QStringLiteral("S")}});
}

bool clsCustomer::Registrar() {
    return enviar(solicitudRegistro(QStringLiteral("I")));
}
bool clsCustomer::Modificar() {
    return enviar(solicitudRegistro(QStringLiteral("U")));
}
bool clsCustomer::ValidarCorreo() {
    return enviar(solicitudAviso(QStringLiteral("V")));
}
bool clsCustomer::Sellar(bool xsello) {
    return enviar(solicitudAviso(xsello ? QStringLiteral("DS") : QStringLiteral("QS")));
}
bool clsCustomer::Buscar() {
    return enviar(solicitudBuscar(), true);
}

bool clsCustomer::enviar(const std::optional<QString>& solicitud, bool campos) {
    if (!solicitud)
        return false;
    const auto sinRespuesta = [this] {
        responsemessage = m_servicio->ultima().error.isEmpty()
                              ? QStringLiteral("No se pudo conectar con el servicio de lealtad.")
                              : m_servicio->ultima().error;
        return false;
    };
    if (!m_servicio->Conectar())
        return sinRespuesta();
    const QString respuesta = m_servicio->Register(*solicitud);
    if (respuesta.isEmpty() && m_servicio->ultima().estado != clsWebService::Estado::Respondio)
        return sinRespuesta();
    return leerRespuesta(respuesta, campos);
}

bool clsCustomer::leerRespuesta(const QString& respuesta, bool campos) {
    const std::optional<TramaLealtad::Respuesta> leida = TramaLealtad::leer(respuesta);
    if (!leida) {
        responsemessage = QString::fromUtf8(kSinEstructura);
        return false;
    }
    if (campos && (leida->campos.size() < 2 || leida->campos.at(0).clave != QLatin1String("ResponseCode") ||
                   leida->campos.at(1).clave != QLatin1String("ResponseMessage"))) {
        responsemessage = QString::fromUtf8(kMensajeIncorrecto);
        return false;
    }
    responsemessage = leida->mensaje();
    return leida->exito();
}

bool clsCustomer::getLocalData(BaseDatos& baseDatos, qint64 clave) {
    const std::optional<RecordSet> filas = baseDatos.AbrirRecordset(
        QStringLiteral(
            "select cvecliente,nombrecliente,isnull(appaterno,'') as ApPaterno,isnull(ApMaterno,'') "
            "as ApMaterno,isnull(FechaNacimiento,'') as FechaNacimiento,isnull(dircalle,'') as "
            "dir1,isnull(dircol,'') as dir2,isnull(dirdelmun,'') as dirciudad, isnull(dircp,'') as "
            "dircp,isnull(rfc,'') as rfc, isnull(razon,'') as razon, isnull(tel,'') as tel, "
            "isnull(numtarjeta,'') as numtarjeta,idtipocliente,activo from clientes where "
            "CveCliente=") +
        QString::number(clave));
    if (!filas || filas->eof())
        return false;
    local.cveCliente = filas->value(0).toInt();
    local.nombre = filas->value(1).toString();
    local.apPaterno = filas->value(2).toString();
    local.apMaterno = filas->value(3).toString();
    local.fechaNacimiento = filas->value(4).toString();
    local.dirCalle = filas->value(5).toString();
    local.dirCol = filas->value(6).toString();
    local.dirDelMun = filas->value(7).toString();
    local.dirCP = filas->value(8).toString();
    local.rfc = filas->value(9).toString();
    local.razon = filas->value(10).toString();
    local.tel = filas->value(11).toString();
    local.numTarjeta = filas->value(12).toString();
    local.idTipoCliente = static_cast<int>(filas->value(13).toInt());
    local.activo = filas->value(14).toInt() != 0;
    return true;
}

} // namespace nerin
