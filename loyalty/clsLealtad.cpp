#include "loyalty/clsLealtad.h"

#include "crypto/MD5.h"
#include "keyboards/Prompts.h"
#include "loyalty/FirmaTransaccion.h"
#include "loyalty/TramaLealtad.h"
#include "loyalty/clsWebService.h"

namespace nerin {

clsLealtad::clsLealtad(Prompts& prompts) : m_prompts(prompts) {}

clsLealtad::clsLealtad(Prompts& prompts, clsWebService& servicio, const FirmaTransaccion& firma, Hoy hoy)
    : m_prompts(prompts), m_servicio(&servicio), m_firma(&firma), m_hoy(std::move(hoy)) {}

bool clsLealtad::Activar() {
    const std::optional<QString> solicitud = solicitudActivar();
    return solicitud && responder(m_servicio->Activate(*solicitud), false);
}

bool clsLealtad::Saldo() {
    const std::optional<QString> solicitud = solicitudSaldo();
    return solicitud && responder(m_servicio->Process(*solicitud), true);
}

bool clsLealtad::Transaccion() {
    bool valido = tarjetaValida();
    const auto exigir = [this, &valido](bool cumple, const char* mensaje) {
        if (valido && !cumple)
            valido = fallo(QString::fromUtf8(mensaje));
    };
    exigir(!Description.trimmed().isEmpty(), "Completar Apellidos");
    exigir(!branchid.trimmed().isEmpty(), "Completar Sucursal");
    exigir(TramaLealtad::soloDigitos(amount), "Completar Monto, Solo números");
    exigir(TramaLealtad::soloDigitos(ticket), "Completar Ticket, Solo números");
    exigir(TramaLealtad::soloDigitos(bill), "Completar Cuenta, Solo números");
    exigir(TramaLealtad::soloDigitos(seller), "Completar Vendedor, Solo números");
    exigir(!transactiontype.trimmed().isEmpty(), "Completar Tipo de transacción");
    if (!valido) {
        responsemessage = QString::fromUtf8(kDatosInvalidos);
        return false;
    }
    transactiondate = m_hoy().toString(QStringLiteral("ddMMyyyy"));
    hash = m_firma->firmar(FirmaTransaccion::entrada(transactiondate, cardnumber, amount));
    return responder(m_servicio->Process(solicitudProceso(transactiontype, ticket, bill, seller)), true);
}

QString clsLealtad::solicitudProceso(const QString& tipo, const QString& numTicket, const QString& cuenta,
                                     const QString& vendedor) const {
    return TramaLealtad::armar({{QStringLiteral("CardNumber"), cardnumber},
                                {QStringLiteral("BranchID"), branchid},
                                {QStringLiteral("AuthorizationCode"), authorization},
                                {QStringLiteral("Description"), Description},
                                {QStringLiteral("Hash"), hash},
                                {QStringLiteral("MonetaryAmount"), amount},
                                {QStringLiteral("TransactionDate"), transactiondate},
                                {QStringLiteral("TransactionType"), tipo},
                                {QStringLiteral("Ticket"), numTicket},
                                {QStringLiteral("Bill"), cuenta},
                                {QStringLiteral("IdSeller"), vendedor}});
}

bool clsLealtad::responder(const QString& respuesta, bool saldo) {
    if (respuesta.isEmpty() && !m_servicio->ultima().error.isEmpty()) {
        responsemessage = m_servicio->ultima().error;
        return false;
    }
    return leerRespuesta(respuesta, saldo);
}

bool clsLealtad::fallo(const QString& mensaje) {
    m_prompts.Mensaje(mensaje, Prompts::kExclamation);
    return false;
}

bool clsLealtad::tarjetaValida() {
    if (!TramaLealtad::soloDigitos(cardnumber))
        return fallo(QStringLiteral("Completar Tarjeta Permanente, Solo números"));
    if (cardnumber.size() != 15)
        return fallo(QStringLiteral("Tarjeta Permanente debe ser a 15 dígitos"));
    return true;
}

std::optional<QString> clsLealtad::solicitudActivar() {
    bool valida = tarjetaValida();
    if (valida && tempcard.isEmpty())
        valida = fallo(QStringLiteral("Completar Tarjeta Temporal"));
    if (valida && tempcard.size() != 7)
        valida = fallo(QStringLiteral("Tarjeta temporal debe ser a 7 dígitos"));
    if (!valida) {
        responsemessage = QString::fromUtf8(kValidacion);
        return std::nullopt;
    }
    return TramaLealtad::armar({{QStringLiteral("TempCard"), tempcard},
                                {QStringLiteral("CardNumber"), cardnumber},
                                {QStringLiteral("OperationType"), QStringLiteral("A")}});
}

std::optional<QString> clsLealtad::solicitudSaldo() {
    if (!tarjetaValida()) {
        responsemessage = QString::fromUtf8(kValidacion);
        return std::nullopt;
    }
    const QString uno = QStringLiteral("1");
    return solicitudProceso(QStringLiteral("B"), uno, uno, uno);
}

bool clsLealtad::leerRespuesta(const QString& respuesta, bool saldo) {
    const std::optional<TramaLealtad::Respuesta> leida = TramaLealtad::leer(respuesta);
    if (!leida) {
        responsemessage = QString::fromUtf8(kSinEstructura);
        return false;
    }
    responsemessage = leida->mensaje();
    if (!leida->exito())
        return false;
    if (saldo) {
        cardownername = leida->campos.value(2).valor;
        points = leida->campos.value(3).valor;
        pesos = leida->campos.value(4).valor;
    }
    return true;
}

bool clsLealtad::ValidaTarjetaMD5() const {
    const qsizetype guion = m_cardTrack.indexOf(u'_');
    if (guion < 1)
        return false;
    const QString esperado = m_cardTrack.mid(1, guion - 1);
    return !esperado.isEmpty() && esperado == MD5().DigestStrToHexStr(QStringLiteral("ZorP") + cardnumber);
}

} // namespace nerin
