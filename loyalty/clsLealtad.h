#pragma once

#include "loyalty/TramaLealtad.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace nerin {

class FirmaTransaccion;
class Prompts;
class clsWebService;

// One loyalty request: its fields, their checks, its request text, the call to the service and the
// reading of the service's reply. Each operation checks its fields first: a field that fails its
// check is named in a message and nothing is sent.
//
// A reply is read by TramaLealtad: a text without the frame fails with "La respuesta no tiene
// estructura JSON."; otherwise `responsemessage` is its message and the operation succeeds exactly
// when its code is "1". A balance reply carries the owner's name, the points and the pesos as its
// third, fourth and fifth values.
class clsLealtad {
public:
    static constexpr const char* kSinEstructura = "La respuesta no tiene estructura JSON.";
    static constexpr const char* kValidacion = "Validación de parámetros incorrecta.";

    static constexpr const char* kDatosInvalidos = "Datos inválidos";
    using Hoy = std::function<QDate()>;

    // Only the request texts and the reading of replies (no service).
    explicit clsLealtad(Prompts& prompts);
    // The operations too, through `servicio`, transactions signed by `firma`; `hoy` dates them.
    clsLealtad(Prompts& prompts, clsWebService& servicio, const FirmaTransaccion& firma,
               Hoy hoy = &QDate::currentDate);

    // Activation of `cardnumber` with `tempcard` (Activate).
    bool Activar();
    // Balance of `cardnumber` (Process): fills `cardownername`, `points` and `pesos`.
    bool Saldo();
    // Posts a transaction of `cardnumber` (Process), dated today and signed; the reply fills the
    // balances as Saldo does. Checks, in order: the card; `Description` ("Completar Apellidos");
    // `branchid` ("Completar Sucursal"); `amount`, `ticket`, `bill`, `seller` all digits ("Completar
    // Monto/Ticket/Cuenta/Vendedor, Solo números"); `transactiontype` ("Completar Tipo de
    // transacción").
    bool Transaccion();
    // The service client's account of the last call: whether a request may have reached the service.
    clsWebService* servicio() const { return m_servicio; }

    QString cardnumber; // the permanent card, 15 digits
    QString tempcard;   // the temporary card, 7 digits
    QString cardownername;
    QString points;
    QString pesos;
    QString branchid;
    QString authorization;
    QString Description;
    QString amount;
    QString transactiontype;
    QString ticket;
    QString bill;
    QString seller;
    QString hash;            // of the last transaction; empty before the first
    QString transactiondate; // "ddmmyyyy" of the last transaction; empty before the first
    QString responsemessage; // of the last reply, or of the last failed check

    void setCardTrack(const QString& track) { m_cardTrack = track; }

    // The activation request of `cardnumber` with `tempcard`, for the service's Activate; none when a
    // field fails its check.
    std::optional<QString> solicitudActivar();
    // The balance request of `cardnumber`, for the service's Process; none when the card fails its
    // check.
    std::optional<QString> solicitudSaldo();

    // Reads a reply: true when framed with code "1". With `saldo`, a successful reply also fills
    // `cardownername`, `points` and `pesos`.
    bool leerRespuesta(const QString& respuesta, bool saldo);

    // Whether the swiped track belongs to `cardnumber`: the digest the track carries (from its second
    // character up to the first "_") is the MD5 of the salt and the card number.
    bool ValidaTarjetaMD5() const;

private:
    // Checks the permanent card: all digits, 15 of them. Says which check failed.
    bool tarjetaValida();
    bool fallo(const QString& mensaje);
    // The reply of a call, or, when none came, false with the client's reason in `responsemessage`.
    bool responder(const QString& respuesta, bool saldo);
    // A Process request: the card's fields with the transaction's type, ticket, account and seller.
    QString solicitudProceso(const QString& tipo, const QString& numTicket, const QString& cuenta,
                             const QString& vendedor) const;

    Prompts& m_prompts;
    clsWebService* m_servicio = nullptr;
    const FirmaTransaccion* m_firma = nullptr;
    Hoy m_hoy;
    QString m_cardTrack;
};

} // namespace nerin
