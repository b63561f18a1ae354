#pragma once

#include "loyalty/TramaLealtad.h"

#include <QString>
#include <optional>

namespace nerin {

class Prompts;

// One loyalty request: its fields, their checks, its request text and the reading of the service's
// reply. The service call itself belongs to the service client; each operation here is split into the
// request (checked first: a field that fails its check is named in a message and nothing is sent)
// and the reading of the reply.
//
// A reply is read by TramaLealtad: a text without the frame fails with "La respuesta no tiene
// estructura JSON."; otherwise `responsemessage` is its message and the operation succeeds exactly
// when its code is "1". A balance reply carries the owner's name, the points and the pesos as its
// third, fourth and fifth values.
class clsLealtad {
public:
    static constexpr const char* kSinEstructura = "La respuesta no tiene estructura JSON.";
    static constexpr const char* kValidacion = "Validación de parámetros incorrecta.";

    explicit clsLealtad(Prompts& prompts);

    QString cardnumber; // the permanent card, 15 digits
    QString tempcard;   // the temporary card, 7 digits
    QString cardownername;
    QString points;
    QString pesos;
    QString branchid;
    QString authorization;
    QString Description;
    QString amount;
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

    Prompts& m_prompts;
    QString m_cardTrack;
};

} // namespace nerin
