#include "loyalty/clsLealtad.h"

#include "crypto/MD5.h"
#include "keyboards/Prompts.h"

namespace nerin {

namespace {

bool soloDigitos(const QString& texto) {
    if (texto.isEmpty())
        return false;
    for (const QChar c : texto) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

clsLealtad::clsLealtad(Prompts& prompts) : m_prompts(prompts) {}

bool clsLealtad::fallo(const QString& mensaje) {
    m_prompts.Mensaje(mensaje, Prompts::kExclamation);
    return false;
}

bool clsLealtad::tarjetaValida() {
    if (!soloDigitos(cardnumber))
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
    return TramaLealtad::armar({{QStringLiteral("CardNumber"), cardnumber},
                                {QStringLiteral("BranchID"), branchid},
                                {QStringLiteral("AuthorizationCode"), authorization},
                                {QStringLiteral("Description"), Description},
                                {QStringLiteral("Hash"), hash},
                                {QStringLiteral("MonetaryAmount"), amount},
                                {QStringLiteral("TransactionDate"), transactiondate},
                                {QStringLiteral("TransactionType"), QStringLiteral("B")},
                                {QStringLiteral("Ticket"), QStringLiteral("1")},
                                {QStringLiteral("Bill"), QStringLiteral("1")},
                                {QStringLiteral("IdSeller"), QStringLiteral("1")}});
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
