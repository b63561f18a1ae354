#pragma once

#include <QtGlobal>

namespace nerin {

// The invoice of a paid account, offered by the payment screen when the whole order is paid.
class Facturacion {
public:
    virtual ~Facturacion() = default;
    // Invoices account `numCuenta` of order (`idComanda`, `control`), modally; returns when done.
    virtual void facturar(qint32 idComanda, qint16 control, qint16 numCuenta) = 0;
};

} // namespace nerin
