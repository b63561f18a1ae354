#include "tables/MesasAbiertas.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "startup/PermisosEmpleado.h"
#include "startup/TerminalContext.h"

#include <algorithm>

namespace nerin {

namespace {

const QString kCerrada = QStringLiteral("La Mesa ya fue cerrada!");
const QString kSinImprimir = QStringLiteral("Aun no se imprime la cuenta!");

} // namespace

MesasAbiertas::MesasAbiertas(TerminalContext& context) : m_context(context) {}

QString MesasAbiertas::titulo(Modo modo) {
    switch (modo) {
    case Modo::Transferir:
        return QStringLiteral("Transferir Mesa");
    case Modo::Cortesia:
        return QStringLiteral("Seleccionar mesa");
    case Modo::Normal:
        break;
    }
    return QStringLiteral("SELECCIONAR MESA");
}

std::optional<RecordSet> MesasAbiertas::Llenar_Spread() {
    BaseDatos& bd = m_context.baseDatos();
    const QString empleado = QString::number(m_context.sesion().idEmpleado());
    const std::optional<QSet<int>> permiso =
        permisosEmpleado(bd, m_context.sesion().idEmpleado(), QStringLiteral(" AND ID_Permiso =42"));
    if (!permiso)
        return std::nullopt;
    if (permiso->isEmpty())
        return bd.AbrirRecordset(QStringLiteral("SELECT * FROM Vw_MesasAbiertas WHERE ID_Empleado=") +
                                 empleado + QStringLiteral(" ORDER BY Num_Mesa"));
    return bd.AbrirRecordset(QStringLiteral("SELECT * FROM Vw_MesasAbiertas ORDER BY Num_Mesa"));
}

MesasAbiertas::Fila MesasAbiertas::fila(const QList<DbValue>& valores) {
    Fila f;
    if (valores.size() >= 3) {
        f.idComanda = static_cast<qint32>(valores[0].toInt());
        f.control = static_cast<qint32>(valores[1].toInt());
        f.numMesa = static_cast<qint16>(valores[2].toInt());
    }
    return f;
}

bool MesasAbiertas::azul(const QList<DbValue>& valores) {
    return valores.size() >= kColumnaImpresiones && valores[kColumnaImpresiones - 1].toDouble() > 0;
}

MesasAbiertas::Botones MesasAbiertas::DatosEmpleado() {
    Botones botones;
    BaseDatos& bd = m_context.baseDatos();
    const QString empleado = QString::number(m_context.sesion().idEmpleado());
    const QSet<int> permisos = permisosEmpleado(bd, m_context.sesion().idEmpleado(),
                                                QStringLiteral(" AND ID_Permiso IN (28,36,37,49)"))
                                   .value_or(QSet<int>());
    botones.transferir = permisos.contains(28);
    botones.abrirMesa = permisos.contains(36);
    botones.verMesa = permisos.contains(37);
    botones.pagar = permisos.contains(49);
    botones.usuario = bd.ConsultarCampo(QStringLiteral("Usuario"), QStringLiteral("Empleado"),
                                        QStringLiteral("ID_Empleado=") + empleado)
                          .toString();
    return botones;
}

bool MesasAbiertas::abierta(const Fila& fila) {
    // An order closed without payment (an empty table closed by a supervisor) keeps no closing time;
    // it is as closed as one with a closing time, and adding to it would lose what is added.
    const qint64 cerradas =
        m_context.baseDatos()
            .ConsultarCampo(QStringLiteral("Count(*)"), QStringLiteral("Comanda"),
                            QStringLiteral("(Fecha_Cierre IS NOT NULL OR Abierta=0) AND Id_comanda=") +
                                QString::number(fila.idComanda))
            .toInt();
    if (cerradas > 0) {
        m_context.Mensaje(kCerrada, Prompts::kOk);
        return false;
    }
    return true;
}

bool MesasAbiertas::tomar(const Fila& fila, const QString& procedimiento) {
    return BloqueoComanda::tomarOAvisar(m_context, fila.idComanda, procedimiento);
}

void MesasAbiertas::errorEn(const QString& procedimiento) {
    const DbFailure& fallo = m_context.baseDatos().connection().lastFailure();
    m_context.bitacora().registrarError(procedimiento, fallo.number, fallo.description);
}

bool MesasAbiertas::VerMesa(const Fila& fila, Accion accion) {
    const bool pagar = accion == Accion::Pagar;
    const QString procedimiento = pagar ? QStringLiteral("cmdPagar") : QStringLiteral("cmdVerMesa");
    BaseDatos& bd = m_context.baseDatos();
    const QString id = QString::number(fila.idComanda);
    if (!abierta(fila))
        return false;
    if (pagar && bd.ConsultarCampo(QStringLiteral("SUM(num_impresiones)"), QStringLiteral("Cuenta"),
                                   QStringLiteral("Id_comanda=") + id)
                         .toInt() == 0) {
        m_context.Mensaje(kSinImprimir, Prompts::kOk);
        return false;
    }
    m_mesaActual = fila.numMesa;
    if (!tomar(fila, procedimiento))
        return false;

    const std::optional<RecordSet> cuentas = bd.AbrirRecordset(
        QStringLiteral("SELECT COUNT(Num_Cuenta) AS Cuentas FROM Cuenta WHERE ID_Comanda=") + id +
        QStringLiteral(" AND Control = ") + QString::number(fila.control));
    if (!cuentas) {
        errorEn(procedimiento);
        return false;
    }
    Navegacion* navegacion = m_context.navegacion();
    if (cuentas->value(0).toInt() > 1) {
        if (navegacion && !navegacion->elegirCuenta(fila.idComanda, fila.control, pagar)) {
            soltar(fila);
            return false;
        }
        return true;
    }
    Navegacion::Orden orden;
    orden.idComanda = fila.idComanda;
    orden.control = fila.control;
    // An order always has its account 1; a missing account still opens on it.
    orden.numCuenta = static_cast<qint16>(
        std::max<qint64>(1, bd.ConsultarCampo(QStringLiteral("top 1 num_cuenta"), QStringLiteral("cuenta"),
                                              QStringLiteral("id_comanda=") + id)
                                .toInt()));
    orden.pagar = pagar;
    orden.mesa = QString::number(fila.numMesa);
    if (navegacion)
        navegacion->comanda(orden);
    m_comandaMostrada = true;
    return true;
}

bool MesasAbiertas::AceptarCortesia(const Fila& fila) {
    // Taken only when no other employee holds it, as for "Ver mesa": the courtesy screen changes the
    // order's items and must not do so under another terminal's order screen.
    if (!tomar(fila, QStringLiteral("cmdAceptar")))
        return false;
    m_mesaActual = fila.numMesa;
    Navegacion* navegacion = m_context.navegacion();
    const bool mostrada =
        !navegacion || navegacion->cortesias(fila.idComanda, fila.control, QString::number(fila.numMesa));
    // The courtesy screen is modal: however it was closed, or when it could not open, the order is
    // free again now.
    soltar(fila);
    return mostrada;
}

void MesasAbiertas::Transferir(const std::optional<Fila>& fila) {
    if (!fila)
        return;
    if (Navegacion* navegacion = m_context.navegacion())
        navegacion->transferirMesas(fila->idComanda, fila->control, fila->numMesa);
}

bool MesasAbiertas::Utilerias() {
    Navegacion* navegacion = m_context.navegacion();
    return !navegacion || navegacion->funciones();
}

void MesasAbiertas::soltar(const Fila& fila) {
    m_context.baseDatos().ActualizarRegistros(
        QStringLiteral("Comanda"), QStringLiteral("EnUsoPor=0"),
        QStringLiteral("ID_Comanda=") + QString::number(fila.idComanda) + QStringLiteral(" AND EnUsoPor=") +
            QString::number(m_context.sesion().idEmpleado()));
}

void MesasAbiertas::Salir(AccessScreen& acceso) {
    m_context.SalirSistema(acceso, QStringLiteral("frmMesasAbiertas"), true);
}

} // namespace nerin
