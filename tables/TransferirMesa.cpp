#include "tables/TransferirMesa.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/RenglonBitacora.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"

namespace nerin {

namespace {

QString orden(const MesasAbiertas::Fila& fila) {
    return QStringLiteral("ID_Comanda=") + QString::number(fila.idComanda) + QStringLiteral(" AND Control=") +
           QString::number(fila.control);
}

} // namespace

TransferirMesa::TransferirMesa(TerminalContext& context) : m_context(context), m_ocupacion(context) {}

QString TransferirMesa::lineaBitacora(const Fila& origen, const QString& destino) const {
    const QString texto = QStringLiteral("Comanda ") + QString::number(origen.idComanda) +
                          QStringLiteral(" transferida a ") + destino;
    return renglonBitacora(m_context, texto);
}

TransferirMesa::Resultado TransferirMesa::mover(const Fila& origen, const QString& numero,
                                                Servicio servicio) {
    const bool comedor = servicio == Servicio::Comedor;
    const std::optional<qint16> tecleada = m_ocupacion.numeroTecleado(numero, comedor);
    if (!tecleada)
        return {};
    qint32 mesa = *tecleada;
    if (mesa == OcupacionMesa::kSinNumero) {
        mesa = m_ocupacion.numeroLibre();
        if (mesa < 0)
            return {};
    }
    const QString destino = QString::number(mesa);

    // A dining-room number is taken only when no other open order carries it. The condition is part
    // of the update, so two terminals moving tables to one free number at once cannot both pass it.
    QString sql = QStringLiteral("UPDATE Comanda SET Num_Mesa=") + destino + QStringLiteral(", Tipo='") +
                  MesaNueva::codigo(servicio) + QStringLiteral("' WHERE ") + orden(origen) +
                  QStringLiteral(" AND Abierta=1");
    if (comedor) {
        sql += QStringLiteral(
                   " AND NOT EXISTS (SELECT * FROM Comanda WITH (UPDLOCK, HOLDLOCK) WHERE Num_Mesa=") +
               destino + QStringLiteral(" AND Abierta=1 AND NOT (") + orden(origen) + QStringLiteral("))");
    }
    // A server that runs each terminal's work as if alone refuses the move that collided with
    // another terminal's: run again, it sees the other's work.
    const std::optional<bool> cambiada =
        cambiarOrden(sql, lineaBitacora(origen, destino), QStringLiteral("Comanda sin cambiar de mesa"));
    if (!cambiada)
        return {}; // the database failed: already reported
    if (*cambiada)
        return {true, false};

    // Nothing changed: another open order has the number, or the order is no longer open.
    if (comedor) {
        const std::optional<QList<OcupacionMesa::Orden>> abiertas =
            m_ocupacion.ordenes(static_cast<qint16>(mesa), QStringLiteral("cmdAceptar"));
        if (!abiertas)
            return {};
        for (const OcupacionMesa::Orden& abierta : *abiertas) {
            if (abierta.idComanda != origen.idComanda || abierta.control != origen.control) {
                m_ocupacion.avisarOcupada(static_cast<qint16>(mesa), abierta.nombre);
                return {false, true};
            }
        }
    }
    m_context.Mensaje(QStringLiteral("La mesa ") + QString::number(origen.numMesa) +
                          QStringLiteral(" no pudo ser transferida a ") + destino,
                      Prompts::kExclamation);
    return {};
}

std::optional<bool> TransferirMesa::cambiarOrden(const QString& sql, const QString& linea,
                                                 const QString& motivo) {
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("cmdAceptar"));
    if (tx.hacer([&] {
            if (tx.cambiarUna(sql, motivo))
                tx.cambiar(linea);
        }))
        return true;
    if (tx.sinFila())
        return false;
    return std::nullopt;
}

std::optional<RecordSet> TransferirMesa::meseros() {
    return m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT * FROM Vw_EmpleadosDisponibles"));
}

bool TransferirMesa::aMesero(const Fila& origen, qint32 idEmpleado, const QString& nombre) {
    // The order changes hands only while nobody else has it on a screen, under the lock rules that
    // BloqueoComanda keeps: free, held by this employee, or held by somebody who is no employee.
    const QString empleado = QString::number(m_context.sesion().idEmpleado());
    const QString sql = QStringLiteral("UPDATE Comanda SET ID_Empleado=") + QString::number(idEmpleado) +
                        QStringLiteral(" WHERE ") + orden(origen) +
                        QStringLiteral(" AND Abierta=1 AND (EnUsoPor=0 OR EnUsoPor=") + empleado +
                        QStringLiteral(" OR EnUsoPor NOT IN (SELECT ID_Empleado FROM Empleado))");
    const std::optional<bool> cambiada =
        cambiarOrden(sql, lineaBitacora(origen, nombre), QStringLiteral("Comanda sin cambiar de mesero"));
    if (!cambiada || *cambiada)
        return cambiada.value_or(false); // a failed database is already reported
    BloqueoComanda bloqueo(m_context.baseDatos(), m_context.bitacora());
    const QString quien = bloqueo.enUsoPor(origen.idComanda, m_context.sesion().idEmpleado());
    if (!quien.isEmpty())
        m_context.Mensaje(QStringLiteral("Mesa en uso por ") + quien, Prompts::kOk);
    else
        m_context.Mensaje(QStringLiteral("La Mesa ya fue cerrada!"), Prompts::kOk);
    return false;
}

} // namespace nerin
