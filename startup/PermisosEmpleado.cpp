#include "startup/PermisosEmpleado.h"

#include "data/BaseDatos.h"

namespace nerin {

std::optional<QSet<int>> permisosEmpleado(BaseDatos& baseDatos, qint32 idEmpleado, const QString& condicion) {
    const std::optional<RecordSet> filas =
        baseDatos.AbrirRecordset(QStringLiteral("SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=") +
                                 QString::number(idEmpleado) + condicion);
    if (!filas)
        return std::nullopt;
    QSet<int> permisos;
    for (const QList<DbValue>& fila : filas->rows())
        permisos.insert(static_cast<int>(fila.value(0).toInt()));
    return permisos;
}

} // namespace nerin
