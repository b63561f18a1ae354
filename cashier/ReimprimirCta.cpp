#include "cashier/ReimprimirCta.h"

#include "cashier/ImprimirCuenta.h"
#include "data/BaseDatos.h"
#include "printing/ImpresorasTerminal.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/PermisosEmpleado.h"
#include "startup/TerminalContext.h"

namespace nerin {

namespace {

const QString kOrden = QStringLiteral(" ORDER BY ID_Comanda DESC, Control DESC, Num_Cuenta");

} // namespace

ReimprimirCta::ReimprimirCta(TerminalContext& context) : m_context(context), m_cola(context.baseDatos()) {}

bool ReimprimirCta::cargarPermisos() {
    m_permisos.clear();
    BaseDatos& bd = m_context.baseDatos();
    const qint32 empleado = m_context.sesion().idEmpleado();
    const std::optional<QSet<int>> todas =
        permisosEmpleado(bd, empleado, QStringLiteral(" AND ID_Permiso =42"));
    if (!todas)
        return false;
    const std::optional<QSet<int>> botones =
        permisosEmpleado(bd, empleado, QStringLiteral(" AND ID_Permiso IN (28,36,37)"));
    if (!botones)
        return false;
    m_permisos = *todas + *botones;
    return true;
}

std::optional<RecordSet> ReimprimirCta::Llenar_Spread() {
    const QString sql = todas() ? QStringLiteral("SELECT * FROM Vw_ReimprimirCta")
                                : QStringLiteral("SELECT * FROM Vw_ReimprimirCta WHERE ID_Empleado=") +
                                      QString::number(m_context.sesion().idEmpleado());
    return m_context.baseDatos().AbrirRecordset(sql + kOrden);
}

ReimprimirCta::Fila ReimprimirCta::fila(const QList<DbValue>& valores) {
    Fila f;
    if (valores.size() >= 7) {
        f.idComanda = static_cast<qint32>(valores[0].toInt());
        f.numCuenta = static_cast<qint16>(valores[2].toInt());
        f.control = static_cast<qint16>(valores[6].toInt());
    }
    return f;
}

bool ReimprimirCta::Reimprimir(const Fila* fila) {
    if (!fila || !puedeReimprimir())
        return false;
    // A terminal without a ticket printer is told so before anything is recorded.
    if (!ImpresorasTerminal(contextoImpresion(m_context)).local())
        return false;
    const bool registrada = m_context.baseDatos().EjecutarSQL(
        QStringLiteral("INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),") +
        QString::number(m_context.sesion().idEmpleado()) + QStringLiteral(",'Reimpresion Com ") +
        QString::number(fila->idComanda) + QStringLiteral(" cta ") + QString::number(fila->numCuenta) +
        QStringLiteral("')"));
    if (!registrada)
        return false;
    return ImprimirCuenta(m_context, m_cola, fila->idComanda, fila->numCuenta, fila->control, false);
}

} // namespace nerin
