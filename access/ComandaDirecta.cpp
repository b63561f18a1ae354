#include "access/ComandaDirecta.h"

#include "data/BaseDatos.h"
#include "data/DbCommand.h"
#include "keyboards/Prompts.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"

namespace nerin {

bool ComandaDirecta::abrir(Navegacion& navegacion, qint16 idEmpleado) {
    Navegacion::Orden orden;
    if (const std::optional<Existente> abierta = existente(idEmpleado)) {
        orden.idComanda = abierta->idComanda;
        orden.control = abierta->control;
        orden.numCuenta = abierta->numCuenta;
    } else {
        if (m_context.Mensaje(QStringLiteral("Desea Abrir nueva mesa ?"), Prompts::kYesNo) !=
            Prompts::kAnswerYes)
            return false;
        orden.idComanda = abrirMesa(idEmpleado);
        if (orden.idComanda <= 0)
            return false;
        orden.control = m_context.terminal;
        orden.tipo = QStringLiteral("O");
    }
    if (!BloqueoComanda::tomarOAvisar(m_context, orden.idComanda, QStringLiteral("ComandaDirecta")))
        return false;
    navegacion.comanda(orden);
    return true;
}

std::optional<ComandaDirecta::Existente> ComandaDirecta::existente(qint16 idEmpleado) {
    BaseDatos& bd = m_context.baseDatos();
    // The newest of the employee's open orders: order numbers only grow.
    const std::optional<RecordSet> abierta =
        bd.AbrirRecordset(QStringLiteral("SELECT TOP 1 ID_Comanda, Control FROM Vw_MesasAbiertas WHERE "
                                         "ID_Empleado=") +
                              QString::number(idEmpleado) + QStringLiteral(" ORDER BY ID_Comanda DESC"),
                          3, 3);
    if (!abierta || abierta->eof())
        return std::nullopt;
    Existente orden;
    orden.idComanda = static_cast<qint32>(abierta->value(0).toInt());
    orden.control = static_cast<qint32>(abierta->value(1).toInt());
    const QString comanda = QStringLiteral("id_comanda=") + QString::number(orden.idComanda) +
                            QStringLiteral(" AND control=") + QString::number(orden.control);
    const qint64 cuenta = bd.ConsultarCampo(QStringLiteral("top 1 num_cuenta"), QStringLiteral("cuenta"),
                                            comanda + QStringLiteral(" ORDER BY num_cuenta"))
                              .toInt();
    orden.numCuenta = static_cast<qint16>(cuenta > 0 ? cuenta : 1);
    return orden;
}

qint32 ComandaDirecta::abrirMesa(qint16 idEmpleado) {
    BaseDatos& bd = m_context.baseDatos();
    const QString empleado = QString::number(idEmpleado);
    const qint64 mesa =
        bd.ConsultarCampo(QStringLiteral("MAX(Num_Mesa) + 1"), QStringLiteral("vw_mesasabiertas"),
                          QStringLiteral("id_empleado=") + empleado)
            .toInt();
    using P = DbCommand::ParamType;
    using D = DbCommand::Direction;
    DbCommand command(QStringLiteral("Abrir_Mesa"), DbCommand::Kind::StoredProcedure);
    command.addParameter({QStringLiteral("@nNumMesa"), P::BigInt, D::Input, 0, DbValue(mesa)});
    command.addParameter({QStringLiteral("@nControl"), P::BigInt, D::Input, 0,
                          DbValue(static_cast<qint64>(m_context.terminal))});
    command.addParameter(
        {QStringLiteral("@nIDEmpleado"), P::BigInt, D::Input, 0, DbValue(static_cast<qint64>(idEmpleado))});
    command.addParameter({QStringLiteral("@sTipo"), P::Char, D::Input, 1, DbValue(QStringLiteral("O"))});
    command.addParameter({QStringLiteral("@nHuespedes"), P::Integer, D::Input, 0, DbValue(0)});
    command.addParameter({QStringLiteral("@nFolio"), P::BigInt, D::Output, 0, DbValue()});
    Connection& connection = bd.connection();
    if (!connection.run(command)) {
        // Copies: the report may show a message, during which other calls replace the connection's errors.
        const DbFailure fallo = connection.lastFailure();
        const DbErrorList errores = connection.errors();
        bd.ReportarErrorBD(QStringLiteral("Abrir_Mesa"), fallo, errores);
        return 0;
    }
    return static_cast<qint32>(command.parameter(u"@nFolio").toInt());
}

} // namespace nerin
