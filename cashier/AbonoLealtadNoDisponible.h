#pragma once

#include "cashier/AbonoLealtad.h"

namespace nerin {

// The accrual while this version has no loyalty client: enabled, so that an account with a customer
// reaches it, and every accrual fails with a message that says plainly why.
class AbonoLealtadNoDisponible : public AbonoLealtad {
public:
    bool habilitado() const override { return true; }
    bool abonar(qint64 cveCliente, const QString& descripcion, const QString& monto, const QString& tipo,
                QString& mensaje) override;

    static const QString kMensaje;
};

} // namespace nerin
