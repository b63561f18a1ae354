#include "tables/MesasEnCero.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"

namespace nerin {

namespace {

// No item of the order (both halves of its key) is live.
QString sinArticulos(const QString& comanda, const QString& control) {
    return QStringLiteral("NOT EXISTS (SELECT * FROM ProductosXCuenta p WHERE p.ID_Comanda=") + comanda +
           QStringLiteral(" AND p.Control=") + control + QStringLiteral(" AND p.ID_Tipo_Anulacion IS NULL)");
}

} // namespace

MesasEnCero::MesasEnCero(TerminalContext& context) : m_context(context) {}

std::optional<RecordSet> MesasEnCero::Llenar_Spread() {
    return m_context.baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT ID_Comanda,Num_Mesa,Nombre_Empleado,Fecha_apertura,Control FROM Comanda,Empleado "
            "WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND Abierta=1 AND ") +
        sinArticulos(QStringLiteral("Comanda.ID_Comanda"), QStringLiteral("Comanda.Control")));
}

MesasEnCero::Fila MesasEnCero::fila(const QList<DbValue>& valores) {
    Fila f;
    if (valores.size() >= 5) {
        f.idComanda = static_cast<qint32>(valores[0].toInt());
        f.numMesa = static_cast<qint16>(valores[1].toInt());
        f.control = static_cast<qint32>(valores[4].toInt());
    }
    return f;
}

bool MesasEnCero::Cerrar(const Fila& fila) {
    const QString id = QString::number(fila.idComanda);
    const QString control = QString::number(fila.control);
    const qint16 empleado = m_context.sesion().idEmpleado();
    // Free means as BloqueoComanda has it: nobody, this employee, or somebody who is no employee.
    const QString sql = QStringLiteral("UPDATE Comanda SET Abierta=0,CantHuespedes=0 WHERE ID_Comanda = ") +
                        id + QStringLiteral(" AND Control=") + control +
                        QStringLiteral(" AND Abierta=1 AND (EnUsoPor=0 OR EnUsoPor=") +
                        QString::number(empleado) +
                        QStringLiteral(" OR EnUsoPor NOT IN (SELECT ID_Empleado FROM Empleado)) AND ") +
                        sinArticulos(id, control);
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("cmdCerrar"));
    if (tx.hacer([&] { tx.cambiarUna(sql, QStringLiteral("Comanda sin cerrar")); }))
        return true;
    if (!tx.sinFila())
        return false; // the database failed: already reported
    BloqueoComanda bloqueo(m_context.baseDatos(), m_context.bitacora());
    const QString quien = bloqueo.enUsoPor(fila.idComanda, empleado);
    BaseDatos& bd = m_context.baseDatos();
    if (!quien.isEmpty()) {
        m_context.Mensaje(QStringLiteral("Mesa en uso por ") + quien, Prompts::kOk);
    } else if (bd.ConsultarCampo(QStringLiteral("COUNT(*)"), QStringLiteral("Comanda"),
                                 QStringLiteral("Abierta=1 AND ID_Comanda=") + id +
                                     QStringLiteral(" AND Control=") + control)
                   .toInt() == 0) {
        m_context.Mensaje(QStringLiteral("La Mesa ya fue cerrada!"), Prompts::kOk);
    } else {
        m_context.Mensaje(QStringLiteral("La mesa ") + QString::number(fila.numMesa) +
                              QStringLiteral(" ya tiene artículos"),
                          Prompts::kOk);
    }
    return false;
}

} // namespace nerin
