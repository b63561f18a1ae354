#include "startup/Sesion.h"

namespace nerin {

Sesion::Sesion(qint16 idEmpleado, QString usuario, QString nombreEmpleado, bool adminUsuarios)
    : m_idEmpleado(idEmpleado), m_usuario(std::move(usuario)), m_nombreEmpleado(std::move(nombreEmpleado)),
      m_adminUsuarios(adminUsuarios) {}

bool Sesion::permiso(int numero) const {
    if (numero < 1 || numero > kPermisoCount)
        return false;
    return m_permisos[static_cast<std::size_t>(numero - 1)];
}

void Sesion::setPermiso(int numero, bool on) {
    if (numero < 1 || numero > kPermisoCount)
        return;
    m_permisos[static_cast<std::size_t>(numero - 1)] = on;
}

} // namespace nerin
