#include "startup/RenglonBitacora.h"

#include "data/BaseDatos.h"
#include "startup/TerminalContext.h"

namespace nerin {

QString renglonBitacora(const TerminalContext& context, const QString& texto) {
    return QStringLiteral("INSERT INTO Bitacora (FechaHora,ID_Empleado,Texto) VALUES ('") +
           context.ahora().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) + QStringLiteral("',") +
           QString::number(context.sesion().idEmpleado()) + QStringLiteral(",'") +
           BaseDatos::DuplicarComillas(texto) + QStringLiteral("')");
}

} // namespace nerin
