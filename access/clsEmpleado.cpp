#include "access/clsEmpleado.h"

#include "data/BaseDatos.h"
#include "startup/Sesion.h"
#include "startup/TerminalContext.h"

namespace nerin {

void clsEmpleado::getPermisos(Sesion& sesion) const {
    for (int numero = 1; numero <= Sesion::kPermisoCount; ++numero)
        sesion.setPermiso(numero, false);
    std::optional<RecordSet> permisos = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=") +
            QString::number(m_idEmpleado),
        3, 3);
    if (!permisos)
        return;
    for (; !permisos->eof(); permisos->moveNext()) {
        const qint64 numero = permisos->value(u"Id_Permiso").toInt();
        if (numero >= 1 && numero <= Sesion::kPermisoCount)
            sesion.setPermiso(static_cast<int>(numero), true);
    }
}

} // namespace nerin
