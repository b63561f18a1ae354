#pragma once

#include <QString>

namespace nerin {

// The loyalty programme's points accrual for the consumption of a customer's account.
class AbonoLealtad {
public:
    virtual ~AbonoLealtad() = default;
    // Whether the service can be used at all; when not, no accrual is attempted.
    virtual bool habilitado() const = 0;
    // Accrues to customer `cveCliente` a movement of type `tipo` ("C" for consumption) for `monto`
    // (cents, as text) described by `descripcion`. False with the service's message in `mensaje` when it
    // failed.
    virtual bool abonar(qint64 cveCliente, const QString& descripcion, const QString& monto,
                        const QString& tipo, QString& mensaje) = 0;
};

} // namespace nerin
