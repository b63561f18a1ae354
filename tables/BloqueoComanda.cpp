#include "tables/BloqueoComanda.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

BloqueoComanda::BloqueoComanda(BaseDatos& baseDatos, Bitacora& bitacora)
    : m_baseDatos(baseDatos), m_bitacora(bitacora) {}

QString BloqueoComanda::enUsoPor(qint32 idComanda, qint16 empleado) {
    return m_baseDatos
        .ConsultarCampo(QStringLiteral("Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno"),
                        QStringLiteral("Comanda,Empleado"),
                        QStringLiteral("Comanda.EnUsoPor=Empleado.ID_Empleado AND ID_Comanda=") +
                            QString::number(idComanda) + QStringLiteral(" AND EnUsoPor<>") +
                            QString::number(empleado))
        .toString();
}

BloqueoComanda::Resultado BloqueoComanda::tomar(qint32 idComanda, qint16 empleado) {
    const QString nombre = enUsoPor(idComanda, empleado);
    if (!nombre.isEmpty())
        return {Estado::EnUso, nombre};

    // The read above and this update are separate round trips: another terminal may take the order
    // between them. The update therefore repeats the condition (free, already ours, or held by
    // somebody who is not an employee) and the rows it changed tell whether the lock is ours.
    const QString empleadoTexto = QString::number(empleado);
    const QString sql = QStringLiteral("UPDATE Comanda SET EnUsoPor=") + empleadoTexto +
                        QStringLiteral(" WHERE ID_Comanda=") + QString::number(idComanda) +
                        QStringLiteral(" AND (EnUsoPor=0 OR EnUsoPor=") + empleadoTexto +
                        QStringLiteral(" OR EnUsoPor NOT IN (SELECT ID_Empleado FROM Empleado))");
    Connection& conexion = m_baseDatos.connection();
    const Result<qint64> cambiadas = conexion.execute(sql);
    if (!cambiadas) {
        const DbFailure fallo = conexion.lastFailure();
        const DbErrorList errores = conexion.errors();
        m_bitacora.RegistrarErroresADO(errores);
        m_baseDatos.ReportarErrorBD(QStringLiteral("Base de Datos"), fallo, errores);
        return {Estado::Fallo, {}};
    }
    if (*cambiadas > 0) {
        // Changes are written to the log twice, as every change the terminal makes.
        m_bitacora.EscribirBitacora(sql);
        m_bitacora.EscribirBitacora(sql);
        return {Estado::Tomada, {}};
    }
    const QString ganador = enUsoPor(idComanda, empleado);
    if (!ganador.isEmpty())
        return {Estado::EnUso, ganador};
    return {Estado::NoExiste, {}};
}

bool BloqueoComanda::tomarOAvisar(TerminalContext& context, qint32 idComanda, const QString& operacion) {
    BloqueoComanda bloqueo(context.baseDatos(), context.bitacora());
    const Resultado resultado = bloqueo.tomar(idComanda, context.sesion().idEmpleado());
    switch (resultado.estado) {
    case Estado::Tomada:
        return true;
    case Estado::EnUso:
        context.Mensaje(QStringLiteral("Mesa en uso por ") + resultado.nombre, Prompts::kOk);
        break;
    case Estado::NoExiste:
        context.Mensaje(QStringLiteral("La Mesa ya fue cerrada!"), Prompts::kOk);
        break;
    case Estado::Fallo: {
        const DbFailure& fallo = context.baseDatos().connection().lastFailure();
        context.bitacora().registrarError(operacion, fallo.number, fallo.description);
        break;
    }
    }
    return false;
}

} // namespace nerin
