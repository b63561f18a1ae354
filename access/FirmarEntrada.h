#pragma once

#include "startup/Navegacion.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace nerin {

class TerminalContext;

// Clocking one employee in or out for a department under a supervisor's card. Whether it is an entry
// (permission 66) or an exit (permission 67) is decided by the employee's clock-in flag as the
// database holds it at the moment of asking, never by what a screen read earlier: another terminal
// may have clocked the same employee meanwhile. Database failures are reported by the database layer.
class FirmarEntrada {
public:
    using Checada = Navegacion::Checada;

    static constexpr int kPermisoEntrada = 66;
    static constexpr int kPermisoSalida = 67;

    struct Departamento {
        qint32 id = 0;
        QString nombre;
    };
    // The shift an employee who is clocked in is working.
    struct Turno {
        QDateTime horaInicio;
        QString departamento;
    };

    FirmarEntrada(TerminalContext& context, qint16 idEmpleado) : m_context(context), m_id(idEmpleado) {}

    // The employee's full name; empty when it cannot be read.
    QString nombreEmpleado();
    // The name of the employee's first department; empty without one.
    QString departamento();
    // The shift of an employee who is clocked in; nothing when not clocked in.
    std::optional<Turno> turno();

    // The departments to choose from: empty for an employee without any, who clocks with department
    // 0 at once; nothing after a failure.
    std::optional<QList<Departamento>> departamentos();

    // Asks for the authorisation that the employee's current flag calls for and, when given, runs
    // procFirmarEmpleado for the department. What was recorded: Entrada or Salida, or Ninguna when
    // refused, cancelled, failed, or when a signing is already running (a second touch while the
    // authorisation window stands is ignored).
    Checada firmar(qint32 idDepartamento);
    bool firmando() const { return m_firmando; }

private:
    // The employee's clock-in flag as stored now; nothing after a failure.
    std::optional<bool> firmadoAhora();

    TerminalContext& m_context;
    qint16 m_id;
    bool m_firmando = false;
};

} // namespace nerin
