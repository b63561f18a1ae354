#pragma once

#include "cashier/AbonoLealtad.h"

namespace nerin {

class TerminalContext;

// The accrual through the loyalty service, enabled when the terminal has the service's address.
//
// An account is accrued at most once. Before the request is sent, a row of Abono_Lealtad marks the
// account as sent ('E'); an account that already has one is not sent again, and the person is told.
// The request carries the authorisation code "<ID_Comanda>-<Control>-<Num_Cuenta>", which the
// service refuses a second time. Then:
// - the service confirmed it: the row turns 'A' and the customer's new balances (NuevoSaldoP,
//   NuevoSaldo, which the ticket prints) are those of the reply;
// - the request cannot have reached the service: the row is removed, so a later close may try again;
// - any other failure (no reply in time, a refusal, a fault): the row stays 'E' with the reason, and
//   the request is never sent again, since the service may have acted on it.
// Nothing here runs inside a database transaction, so the wait for the service keeps nothing locked.
class AbonoLealtadServicio : public AbonoLealtad {
public:
    static constexpr const char* kYaAbonado = "Los puntos de esta cuenta ya se abonaron.";
    static constexpr const char* kYaEnviado =
        "El abono de puntos de esta cuenta ya se envió al servicio de lealtad y no se envía de nuevo.";

    explicit AbonoLealtadServicio(TerminalContext& context);

    bool habilitado() const override;
    bool abonar(const Abono& abono, QString& mensaje) override;

    // The authorisation code of an account's accrual.
    static QString autorizacion(const Abono& abono);

private:
    TerminalContext& m_context;
};

} // namespace nerin
