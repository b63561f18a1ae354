#pragma once

#include "cashier/Facturacion.h"

#include <QString>

namespace nerin {

class Prompts;

// Invoicing while this version has no invoice screen: tells the person so and does nothing else.
class FacturacionNoDisponible : public Facturacion {
public:
    explicit FacturacionNoDisponible(Prompts& prompts) : m_prompts(prompts) {}
    void facturar(qint32 idComanda, qint16 control, qint16 numCuenta) override;

    static const QString kMensaje;

private:
    Prompts& m_prompts;
};

} // namespace nerin
