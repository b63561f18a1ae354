#include "cashier/AbonoLealtadNoDisponible.h"

namespace nerin {

const QString AbonoLealtadNoDisponible::kMensaje =
    QStringLiteral("la acumulación de puntos de lealtad aún no está disponible en esta versión.");

bool AbonoLealtadNoDisponible::abonar(qint64, const QString&, const QString&, const QString&,
                                      QString& mensaje) {
    mensaje = kMensaje;
    return false;
}

} // namespace nerin
