#include "startup/VerificacionEmpleado.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "printing/ImprimirVerificacion.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"

namespace nerin {

bool VerificacionEmpleado(TerminalContext& context, ColaImpresion& cola, qint16 idEmpleado) {
    const DbValue abiertas =
        context.baseDatos().ConsultarCampo(QStringLiteral("count(*)"), QStringLiteral("Vw_MesasAbiertas"),
                                           QStringLiteral("id_empleado=") + QString::number(idEmpleado));
    if (abiertas.isNull())
        return false;
    if (abiertas.toInt() > 0) {
        context.Mensaje(QStringLiteral("Tiene mesas abiertas, cierre todas sus mesas!"),
                        Prompts::kExclamation);
        return false;
    }
    return ImprimirVerificacion(contextoImpresion(context), cola, idEmpleado);
}

} // namespace nerin
