#include "tools/nerin-lealtad/LealtadDatos.h"

#include "loyalty/FirmaTransaccion.h"
#include "loyalty/TramaLealtad.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace nerin {

namespace {

const QString kTemporales = QStringLiteral("temporales");
const QString kPermanentes = QStringLiteral("permanentes");
const QString kAutorizaciones = QStringLiteral("autorizaciones");

QString responder(bool exito, const QString& mensaje, const QList<TramaLealtad::Campo>& mas = {}) {
    QList<TramaLealtad::Campo> campos{
        {QStringLiteral("ResponseCode"), exito ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("ResponseMessage"), mensaje}};
    campos.append(mas);
    return TramaLealtad::armar(campos);
}

QString rechazar(const QString& motivo) {
    return responder(false, motivo);
}

// The request's fields by key; none when the text lacks the frame.
std::optional<QJsonObject> campos(const QString& solicitud) {
    const std::optional<TramaLealtad::Respuesta> leida = TramaLealtad::leer(solicitud);
    if (!leida)
        return std::nullopt;
    QJsonObject porClave;
    for (const TramaLealtad::Campo& campo : leida->campos)
        porClave.insert(campo.clave, campo.valor);
    return porClave;
}

QString pesos(qint64 centavos) {
    return QStringLiteral("%1.%2").arg(centavos / 100).arg(centavos % 100, 2, 10, QLatin1Char('0'));
}

QJsonObject cliente(const QString& nombre, const QString& apellidos, const QString& correo) {
    return QJsonObject{{QStringLiteral("FirstName"), nombre},
                       {QStringLiteral("LastName"), apellidos},
                       {QStringLiteral("Email"), correo}};
}

QJsonObject permanente(const QString& temporal, const QString& nombre, qint64 puntos, qint64 centavos,
                       bool activa) {
    return QJsonObject{{QStringLiteral("temporal"), temporal},
                       {QStringLiteral("nombre"), nombre},
                       {QStringLiteral("puntos"), puntos},
                       {QStringLiteral("centavos"), centavos},
                       {QStringLiteral("activa"), activa}};
}

QJsonObject demo() {
    QJsonObject temporales{
        {QStringLiteral("1000010"), cliente(QStringLiteral("ELENA"), QStringLiteral("VARGAS RIOS"),
                                            QStringLiteral("elena.vargas@example.com"))},
        {QStringLiteral("1000011"), cliente(QStringLiteral("RAMIRO"), QStringLiteral("OCHOA BLANCO"),
                                            QStringLiteral("ramiro.ochoa@example.com"))}};
    for (int numero = 1000001; numero <= 1000009; ++numero)
        temporales.insert(QString::number(numero), QJsonValue::Null);
    const QJsonObject permanentes{
        {QStringLiteral("100000000000017"),
         permanente(QStringLiteral("1000010"), QStringLiteral("ELENA VARGAS RIOS"), 250, 6250, true)},
        {QStringLiteral("100000000000025"),
         permanente(QStringLiteral("1000011"), QStringLiteral("RAMIRO OCHOA BLANCO"), 80, 2000, true)},
        {QStringLiteral("100000000000033"), permanente(QString(), QString(), 0, 0, false)},
        {QStringLiteral("100000000000041"), permanente(QString(), QString(), 0, 0, false)}};
    return QJsonObject{
        {kTemporales, temporales}, {kPermanentes, permanentes}, {kAutorizaciones, QJsonArray()}};
}

} // namespace

LealtadDatos::LealtadDatos(QString archivo) : m_archivo(std::move(archivo)) {}

bool LealtadDatos::abrir() {
    QFile archivo(m_archivo);
    if (!archivo.exists()) {
        m_datos = demo();
        return guardar();
    }
    if (!archivo.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("No se pudo leer %1: %2").arg(m_archivo, archivo.errorString());
        return false;
    }
    QJsonParseError falla;
    const QJsonDocument documento = QJsonDocument::fromJson(archivo.readAll(), &falla);
    if (!documento.isObject()) {
        m_error =
            QStringLiteral("%1 no es un archivo de datos válido: %2").arg(m_archivo, falla.errorString());
        return false;
    }
    m_datos = documento.object();
    return true;
}

bool LealtadDatos::guardar() {
    // Written whole to a new file that replaces the old one, so a stop never leaves half a file.
    QSaveFile archivo(m_archivo);
    if (!archivo.open(QIODevice::WriteOnly) ||
        archivo.write(QJsonDocument(m_datos).toJson(QJsonDocument::Indented)) < 0 || !archivo.commit()) {
        m_error = QStringLiteral("No se pudo escribir %1: %2").arg(m_archivo, archivo.errorString());
        return false;
    }
    return true;
}

QString LealtadDatos::saldo(const QJsonObject& tarjeta) const {
    return responder(
        true, QStringLiteral("OK"),
        {{QStringLiteral("Name"), tarjeta.value(QStringLiteral("nombre")).toString()},
         {QStringLiteral("Points"), QString::number(tarjeta.value(QStringLiteral("puntos")).toInteger())},
         {QStringLiteral("Pesos"), pesos(tarjeta.value(QStringLiteral("centavos")).toInteger())}});
}

QString LealtadDatos::Process(const QString& solicitud) {
    const std::optional<QJsonObject> leidos = campos(solicitud);
    if (!leidos)
        return rechazar(QStringLiteral("Solicitud sin estructura"));
    const QString numero = leidos->value(QStringLiteral("CardNumber")).toString();
    const QJsonObject tarjeta = m_datos.value(kPermanentes).toObject().value(numero).toObject();
    if (tarjeta.isEmpty() || !tarjeta.value(QStringLiteral("activa")).toBool())
        return rechazar(QStringLiteral("Tarjeta no registrada"));
    if (leidos->value(QStringLiteral("TransactionType")).toString() == u"B")
        return saldo(tarjeta);
    return transaccion(numero, *leidos);
}

QString LealtadDatos::transaccion(const QString& numero, const QJsonObject& campos) {
    const QString monto = campos.value(QStringLiteral("MonetaryAmount")).toString();
    const QString fecha = campos.value(QStringLiteral("TransactionDate")).toString();
    const QString codigo = campos.value(QStringLiteral("AuthorizationCode")).toString();
    if (!TramaLealtad::soloDigitos(monto))
        return rechazar(QStringLiteral("Monto inválido"));
    const QString firma = FirmaMd5().firmar(FirmaTransaccion::entrada(fecha, numero, monto));
    if (campos.value(QStringLiteral("Hash")).toString() != firma)
        return rechazar(QStringLiteral("Firma de la transacción inválida"));
    if (codigo.isEmpty())
        return rechazar(QStringLiteral("Falta el código de autorización"));
    QJsonArray usados = m_datos.value(kAutorizaciones).toArray();
    if (usados.contains(codigo))
        return rechazar(QStringLiteral("Autorización ya registrada"));

    const qint64 centavos = monto.toLongLong();
    QJsonObject permanentes = m_datos.value(kPermanentes).toObject();
    QJsonObject tarjeta = permanentes.value(numero).toObject();
    tarjeta.insert(QStringLiteral("puntos"),
                   tarjeta.value(QStringLiteral("puntos")).toInteger() + puntosDe(centavos));
    tarjeta.insert(QStringLiteral("centavos"),
                   tarjeta.value(QStringLiteral("centavos")).toInteger() + pesosDe(centavos));
    permanentes.insert(numero, tarjeta);
    usados.append(codigo);
    m_datos.insert(kPermanentes, permanentes);
    m_datos.insert(kAutorizaciones, usados);
    if (!guardar())
        return rechazar(QStringLiteral("No se pudo guardar la transacción"));
    return saldo(tarjeta);
}

QString LealtadDatos::Activate(const QString& solicitud) {
    const std::optional<QJsonObject> leidos = campos(solicitud);
    if (!leidos || leidos->value(QStringLiteral("OperationType")).toString() != u"A")
        return rechazar(QStringLiteral("Operación no reconocida"));
    const QString temporal = leidos->value(QStringLiteral("TempCard")).toString();
    const QString numero = leidos->value(QStringLiteral("CardNumber")).toString();
    const QJsonObject temporales = m_datos.value(kTemporales).toObject();
    QJsonObject permanentes = m_datos.value(kPermanentes).toObject();
    if (!temporales.contains(temporal))
        return rechazar(QStringLiteral("Tarjeta temporal no registrada"));
    const QJsonObject duenio = temporales.value(temporal).toObject();
    if (duenio.isEmpty())
        return rechazar(QStringLiteral("La tarjeta temporal no tiene un cliente registrado"));
    if (!permanentes.contains(numero))
        return rechazar(QStringLiteral("Tarjeta permanente no registrada"));
    QJsonObject tarjeta = permanentes.value(numero).toObject();
    if (tarjeta.value(QStringLiteral("activa")).toBool())
        return rechazar(QStringLiteral("La tarjeta permanente ya está activa"));
    for (const QJsonValue otra : permanentes) {
        if (otra.toObject().value(QStringLiteral("temporal")).toString() == temporal)
            return rechazar(QStringLiteral("La tarjeta temporal ya fue activada"));
    }
    tarjeta.insert(QStringLiteral("temporal"), temporal);
    tarjeta.insert(QStringLiteral("nombre"), (duenio.value(QStringLiteral("FirstName")).toString() + u' ' +
                                              duenio.value(QStringLiteral("LastName")).toString())
                                                 .trimmed());
    tarjeta.insert(QStringLiteral("activa"), true);
    permanentes.insert(numero, tarjeta);
    m_datos.insert(kPermanentes, permanentes);
    if (!guardar())
        return rechazar(QStringLiteral("No se pudo guardar la activación"));
    return responder(true, QStringLiteral("Tarjeta activada"));
}

QString LealtadDatos::Register(const QString& solicitud) {
    const std::optional<QJsonObject> leidos = campos(solicitud);
    if (!leidos)
        return rechazar(QStringLiteral("Solicitud sin estructura"));
    const QString tipo = leidos->value(QStringLiteral("OperationType")).toString();
    QJsonObject temporales = m_datos.value(kTemporales).toObject();
    if (tipo == u"S") {
        const QString temporal = leidos->value(QStringLiteral("TempCard")).toString();
        const QJsonObject duenio = temporales.value(temporal).toObject();
        if (duenio.isEmpty())
            return rechazar(QStringLiteral("Cliente no encontrado"));
        QList<TramaLealtad::Campo> mas{{QStringLiteral("Temp_Card"), temporal}};
        for (auto campo = duenio.begin(); campo != duenio.end(); ++campo)
            mas.append({campo.key(), campo.value().toString()});
        return responder(true, QStringLiteral("OK"), mas);
    }
    const QString temporal = leidos->value(QStringLiteral("Temp_Card")).toString();
    if (!temporales.contains(temporal))
        return rechazar(QStringLiteral("Tarjeta temporal no registrada"));
    const bool libre = temporales.value(temporal).isNull();
    if (tipo == u"V" || tipo == u"DS" || tipo == u"QS") {
        if (libre)
            return rechazar(QStringLiteral("La tarjeta temporal no tiene un cliente registrado"));
        return responder(true, tipo == u"V" ? QStringLiteral("Correo validado")
                                            : QStringLiteral("Sello registrado"));
    }
    if (tipo != u"I" && tipo != u"U")
        return rechazar(QStringLiteral("Operación no reconocida"));
    if (tipo == u"I" && !libre)
        return rechazar(QStringLiteral("La tarjeta temporal ya tiene un cliente"));
    if (tipo == u"U" && libre)
        return rechazar(QStringLiteral("La tarjeta temporal no tiene un cliente registrado"));
    QJsonObject duenio;
    for (const char* clave : {"FirstName", "LastName", "Email", "Age", "Gender", "City", "PostalCode"})
        duenio.insert(QLatin1String(clave), leidos->value(QLatin1String(clave)).toString());
    temporales.insert(temporal, duenio);
    m_datos.insert(kTemporales, temporales);
    if (tipo == u"U") {
        // A modified name is also the name that balances report.
        QJsonObject permanentes = m_datos.value(kPermanentes).toObject();
        for (auto tarjeta = permanentes.begin(); tarjeta != permanentes.end(); ++tarjeta) {
            QJsonObject datos = tarjeta.value().toObject();
            if (datos.value(QStringLiteral("temporal")).toString() != temporal)
                continue;
            datos.insert(QStringLiteral("nombre"),
                         (duenio.value(QStringLiteral("FirstName")).toString() + u' ' +
                          duenio.value(QStringLiteral("LastName")).toString())
                             .trimmed());
            tarjeta.value() = datos;
        }
        m_datos.insert(kPermanentes, permanentes);
    }
    if (!guardar())
        return rechazar(QStringLiteral("No se pudo guardar el cliente"));
    return responder(true, tipo == u"I" ? QStringLiteral("Cliente registrado")
                                        : QStringLiteral("Cliente modificado"));
}

} // namespace nerin
