#include "access/FirmaEmpleado.h"

#include "access/ComandaDirecta.h"
#include "access/clsEmpleado.h"
#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"

#include <limits>

namespace nerin {

qint16 FirmaEmpleado::identificar(const QString& tarjeta) {
    const int id = m_context.baseDatos().EmpleadoDeTarjeta(tarjeta.toUpper());
    // Employee numbers are 16-bit everywhere in the terminal; a larger one cannot sign in here.
    if (id < 1 || id > std::numeric_limits<qint16>::max()) {
        m_context.Mensaje(QStringLiteral("Tarjeta inválida"), Prompts::kOk);
        return 0;
    }
    return static_cast<qint16>(id);
}

FirmaEmpleado::Entrada FirmaEmpleado::entrar(qint16 idEmpleado) {
    BaseDatos& bd = m_context.baseDatos();
    const QString id = QString::number(idEmpleado);
    const QString condicion = QStringLiteral("ID_Empleado=") + id;

    std::optional<RecordSet> empleado = bd.AbrirRecordset(
        QStringLiteral("SELECT Usuario,Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno AS "
                       "Nombre_Empleado, Admin_Usuarios FROM Empleado WHERE Id_Empleado = ") +
            id,
        3, 3);
    if (!empleado || empleado->eof())
        return Entrada::Fallo;
    const QString usuario = empleado->value(u"Usuario").toString();
    const QString nombre = empleado->value(u"Nombre_Empleado").toString();
    const bool admin = empleado->value(u"Admin_Usuarios").toInt() != 0;

    const QString terminal = QString::number(m_context.terminal);
    const QString otra =
        bd.ConsultarCampo(QStringLiteral("Nombre_Terminal"), QStringLiteral("Empleado,Terminal"),
                          QStringLiteral("Empleado.ID_Terminal=Terminal.ID_Terminal AND ") + condicion +
                              QStringLiteral(" AND Empleado.ID_Terminal<>") + terminal)
            .toString();
    if (!otra.isEmpty()) {
        m_context.Mensaje(QStringLiteral("Está firmado en la terminal ") + otra, Prompts::kOk);
        return Entrada::FirmadoEnOtra;
    }

    if (m_context.funcion(kFuncionChecador) &&
        bd.ConsultarCampo(QStringLiteral("Firmado"), QStringLiteral("Empleado"), condicion).toInt() == 0) {
        return checador(idEmpleado, id) ? Entrada::Checador : Entrada::SinDepartamentos;
    }

    if (!bd.ActualizarRegistros(QStringLiteral("Empleado"), QStringLiteral("ID_Terminal=") + terminal,
                                condicion))
        return Entrada::Fallo;
    // Orders this employee left locked (a terminal that went down mid-order) are free again.
    bd.ActualizarRegistros(QStringLiteral("Comanda"), QStringLiteral("EnUsoPor=0"),
                           QStringLiteral("EnUsoPor=") + id);

    Sesion sesion(idEmpleado, usuario, nombre, admin);
    clsEmpleado datos(m_context);
    datos.setEmpleado(idEmpleado);
    datos.setNombre(nombre);
    datos.getPermisos(sesion);
    m_context.iniciarSesion(std::move(sesion));
    return Entrada::Firmado;
}

bool FirmaEmpleado::checador(qint16 idEmpleado, const QString& id) {
    const qint64 departamentos =
        m_context.baseDatos()
            .ConsultarCampo(QStringLiteral("Count(*)"), QStringLiteral("costosxempleado"),
                            QStringLiteral("Id_Empleado=") + id)
            .toInt();
    if (departamentos < 1) {
        m_context.Mensaje(QStringLiteral("No tiene departamentos asignados!"), Prompts::kExclamation);
        return false;
    }
    // Clocking in does not sign in: the employee swipes again once clocked in.
    if (Navegacion* navegacion = m_context.navegacion())
        static_cast<void>(navegacion->checador(idEmpleado));
    return true;
}

FirmaEmpleado::Ruta FirmaEmpleado::rutear() {
    Navegacion* navegacion = m_context.navegacion();
    if (!navegacion)
        return Ruta::Ninguna;
    const Sesion& sesion = m_context.sesion();
    if (!m_context.funcion(kFuncionComandaDirecta) && !sesion.permiso(kPermisoComandaDirecta)) {
        navegacion->mesasAbiertas(Navegacion::ModoMesas::Normal);
        return Ruta::MesasAbiertas;
    }
    ComandaDirecta directa(m_context);
    return directa.abrir(*navegacion, sesion.idEmpleado()) ? Ruta::Comanda : Ruta::Cancelada;
}

bool FirmaEmpleado::registrarTarjetas() {
    const std::optional<RecordSet> sinTarjeta =
        m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT * FROM Vw_Empleados_Sin_Tarjeta"), 3, 3);
    if (!sinTarjeta || sinTarjeta->eof())
        return false;
    Navegacion* navegacion = m_context.navegacion();
    if (!navegacion)
        return false;
    // Nobody is signed in here: a manager's card stands for whoever gives the cards.
    if (!navegacion->autorizar(kPermisoTarjetas, QStringLiteral("Validar Permiso")))
        return false;
    navegacion->registroTarjetas();
    return true;
}

} // namespace nerin
