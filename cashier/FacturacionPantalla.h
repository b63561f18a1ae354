#pragma once

#include "cashier/Facturacion.h"

namespace nerin {

class TerminalContext;

// Invoicing through the invoice screen (frmFacturas), shown modally over the window active at the time.
class FacturacionPantalla : public Facturacion {
public:
    explicit FacturacionPantalla(TerminalContext& context) : m_context(context) {}
    void facturar(qint32 idComanda, qint16 control, qint16 numCuenta) override;

private:
    TerminalContext& m_context;
};

} // namespace nerin
