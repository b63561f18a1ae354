#pragma once

#include <QSet>
#include <QString>
#include <optional>

namespace nerin {

class BaseDatos;

// The permissions that employee `idEmpleado` holds among those that `condicion` names, read from
// Vw_Permisos as "SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=" + the employee + `condicion`
// (for example " AND ID_Permiso IN (28,36,37)" or " AND ID_Permiso =42"). Screens read permissions
// afresh from the database rather than from the session, because several of them lie beyond the
// session's flags. No value when the query failed; the failure has already been reported.
std::optional<QSet<int>> permisosEmpleado(BaseDatos& baseDatos, qint32 idEmpleado, const QString& condicion);

} // namespace nerin
