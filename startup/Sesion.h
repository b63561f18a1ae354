#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace nerin {

// The employee signed in at this terminal: who it is, the names shown and printed, the user
// administrator flag and the permission flags 1..68. A session is built by sign-in, handed to the
// terminal's context, and replaced by an empty one when the employee leaves the system; everything
// else reads it as const. A default-made session is nobody: id 0, empty names, no permission.
class Sesion {
public:
    static constexpr int kPermisoCount = 68;

    Sesion() = default;
    Sesion(qint16 idEmpleado, QString usuario, QString nombreEmpleado, bool adminUsuarios);

    // True while an employee is signed in.
    bool activa() const { return m_idEmpleado > 0; }
    qint16 idEmpleado() const { return m_idEmpleado; }
    // Empleado.Usuario: shown on screens and printed on jobs.
    const QString& usuario() const { return m_usuario; }
    // First name and both surnames.
    const QString& nombreEmpleado() const { return m_nombreEmpleado; }
    bool adminUsuarios() const { return m_adminUsuarios; }

    // Whether the employee holds permission `numero`; false for numbers outside 1..68.
    bool permiso(int numero) const;
    // Used while the session is built, before sign-in hands it over; numbers outside 1..68 are
    // ignored.
    void setPermiso(int numero, bool on);

private:
    qint16 m_idEmpleado = 0;
    QString m_usuario;
    QString m_nombreEmpleado;
    bool m_adminUsuarios = false;
    std::array<bool, kPermisoCount> m_permisos{};
};

} // namespace nerin
