#include "tables/ReabrirMesa.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

ReabrirMesa::ReabrirMesa(TerminalContext& context) : m_context(context), m_ocupacion(context) {}

std::optional<RecordSet> ReabrirMesa::Llenar_Spread() {
    return m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT * FROM Vw_MesasCerradas "));
}

bool ReabrirMesa::Aceptar(const Fila& fila) {
    const QString mesa = QString::number(fila.numMesa);
    const QString sql =
        QStringLiteral("UPDATE Comanda SET Abierta=1,Fecha_Cierre = NULL WHERE ID_Comanda=") +
        QString::number(fila.idComanda) + QStringLiteral(" AND Control = ") + QString::number(fila.control) +
        QStringLiteral(" AND Abierta=0 AND Num_Mesa=") + mesa +
        QStringLiteral(" AND (Tipo<>'N' OR NOT EXISTS (SELECT * FROM Comanda WITH (UPDLOCK, HOLDLOCK) "
                       "WHERE Num_Mesa=") +
        mesa + QStringLiteral(" AND Abierta=1))");
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("cmdAceptar"));
    if (tx.hacer([&] { tx.cambiarUna(sql, QStringLiteral("Comanda sin reabrir")); })) {
        m_context.Mensaje(QStringLiteral("Mesa ") + mesa + QStringLiteral(" reabierta"), Prompts::kOk);
        return true;
    }
    if (!tx.sinFila())
        return false; // the database failed: already reported
    const std::optional<QList<OcupacionMesa::Orden>> abiertas =
        m_ocupacion.ordenes(fila.numMesa, QStringLiteral("cmdAceptar"));
    if (!abiertas)
        return false;
    // Reopened by another terminal meanwhile, the order itself carries the number.
    for (const OcupacionMesa::Orden& abierta : *abiertas) {
        if (abierta.idComanda != fila.idComanda || abierta.control != fila.control) {
            m_ocupacion.avisarOcupada(fila.numMesa, abierta.nombre);
            return false;
        }
    }
    m_context.Mensaje(QStringLiteral("La mesa ") + mesa + QStringLiteral(" ya no está cerrada"),
                      Prompts::kOk);
    return false;
}

} // namespace nerin
