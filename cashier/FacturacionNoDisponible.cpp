#include "cashier/FacturacionNoDisponible.h"

#include "keyboards/Prompts.h"

namespace nerin {

const QString FacturacionNoDisponible::kMensaje =
    QStringLiteral("La facturación aún no está disponible en esta versión.");

void FacturacionNoDisponible::facturar(qint32, qint16, qint16) {
    m_prompts.Mensaje(kMensaje, Prompts::kExclamation);
}

} // namespace nerin
