#pragma once

#include <QString>
#include <QtGlobal>

namespace nerin {

class Sesion;
class TerminalContext;

// The employee signing in: who it is, the name shown, and the loading of the employee's permissions
// into the session being built.
class clsEmpleado {
public:
    explicit clsEmpleado(TerminalContext& context) : m_context(context) {}

    void setEmpleado(qint16 idEmpleado) { m_idEmpleado = idEmpleado; }
    qint16 getEmpleado() const { return m_idEmpleado; }
    void setNombre(const QString& nombre) { m_nombre = nombre; }
    const QString& getNombre() const { return m_nombre; }

    // Clears every permission flag of `sesion`, then sets the flag of each permission from 1 to 68
    // that Vw_Permisos gives this employee; other numbers have no flag and are ignored. When the
    // permissions cannot be read the flags stay clear (the failure is reported by the database
    // layer), so nobody gains a permission by a failing read.
    void getPermisos(Sesion& sesion) const;

private:
    TerminalContext& m_context;
    qint16 m_idEmpleado = 0;
    QString m_nombre;
};

} // namespace nerin
