#pragma once

#include <QString>

namespace nerin {

// The loyalty programme's points accrual for the consumption of a customer's account.
class AbonoLealtad {
public:
    // One account's accrual: the account, its customer's card, and the movement.
    struct Abono {
        qint32 idComanda = 0;
        qint16 control = 0;
        qint16 numCuenta = 0;
        qint64 cveCliente = 0;
        QString descripcion;
        QString monto; // cents, as text
        QString tipo;  // "C" for consumption
    };

    virtual ~AbonoLealtad() = default;
    // Whether the service can be used at all; when not, no accrual is attempted.
    virtual bool habilitado() const = 0;
    // Accrues `abono`. False when it did not; then `mensaje` says why, or is empty when the reason was
    // already reported.
    virtual bool abonar(const Abono& abono, QString& mensaje) = 0;
};

} // namespace nerin
