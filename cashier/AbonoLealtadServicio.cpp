#include "cashier/AbonoLealtadServicio.h"

#include "data/BaseDatos.h"
#include "loyalty/LealtadTerminal.h"
#include "loyalty/ValidacionTarjeta.h"
#include "loyalty/clsLealtad.h"
#include "startup/TerminalContext.h"

namespace nerin {

AbonoLealtadServicio::AbonoLealtadServicio(TerminalContext& context) : m_context(context) {}

bool AbonoLealtadServicio::habilitado() const {
    return !m_context.urlLealtad.trimmed().isEmpty();
}

QString AbonoLealtadServicio::autorizacion(const Abono& abono) {
    return QStringLiteral("%1-%2-%3").arg(abono.idComanda).arg(abono.control).arg(abono.numCuenta);
}

bool AbonoLealtadServicio::abonar(const Abono& abono, QString& mensaje) {
    BaseDatos& bd = m_context.baseDatos();
    const QString cuenta = QStringLiteral("ID_Comanda=%1 AND Control=%2 AND Num_Cuenta=%3")
                               .arg(abono.idComanda)
                               .arg(abono.control)
                               .arg(abono.numCuenta);
    const QString estado =
        bd.ConsultarCampo(QStringLiteral("Estado"), QStringLiteral("Abono_Lealtad"), cuenta)
            .toString()
            .trimmed();
    if (!estado.isEmpty()) {
        mensaje = QString::fromUtf8(estado == QLatin1String("A") ? kYaAbonado : kYaEnviado);
        return false;
    }
    const QString tarjeta = QString::number(abono.cveCliente);
    const QString codigo = autorizacion(abono);
    // The mark goes first: should the terminal stop while the request is out, the account still
    // reads as sent. The key refuses a second mark for the account.
    if (!bd.InsertarRegistro(
            QStringLiteral("Abono_Lealtad"),
            QStringLiteral("ID_Comanda,Control,Num_Cuenta,CveCliente,Autorizacion,Monto,Estado"),
            QStringLiteral("%1,%2,%3,%4,'%5',%6,'E'")
                .arg(abono.idComanda)
                .arg(abono.control)
                .arg(abono.numCuenta)
                .arg(tarjeta, codigo, abono.monto))) {
        mensaje.clear();
        return false;
    }

    LealtadTerminal terminal(m_context);
    clsLealtad& lealtad = terminal.lealtad();
    lealtad.cardnumber = tarjeta;
    lealtad.branchid = QString::number(m_context.sucursal);
    lealtad.authorization = codigo;
    lealtad.Description = abono.descripcion;
    lealtad.amount = abono.monto;
    lealtad.transactiontype = abono.tipo;
    lealtad.ticket = QString::number(abono.idComanda);
    lealtad.bill = QString::number(abono.numCuenta);
    lealtad.seller = QString::number(m_context.sesion().idEmpleado());
    if (lealtad.Transaccion()) {
        bd.ActualizarRegistros(QStringLiteral("Abono_Lealtad"), QStringLiteral("Estado='A'"), cuenta);
        if (ValidacionTarjeta::esSaldo(lealtad.points) && ValidacionTarjeta::esSaldo(lealtad.pesos))
            bd.ActualizarRegistros(QStringLiteral("Clientes"),
                                   QStringLiteral("NuevoSaldoP=") + lealtad.points +
                                       QStringLiteral(",NuevoSaldo=") + lealtad.pesos,
                                   QStringLiteral("CveCliente=") + tarjeta);
        return true;
    }
    mensaje = lealtad.responsemessage;
    if (lealtad.servicio()->ultima().estado == clsWebService::Estado::SinConexion)
        bd.EjecutarSQL(QStringLiteral("DELETE FROM Abono_Lealtad WHERE ") + cuenta);
    else
        bd.ActualizarRegistros(QStringLiteral("Abono_Lealtad"),
                               QStringLiteral("Mensaje=") + BaseDatos::Literal(mensaje.left(200)), cuenta);
    return false;
}

} // namespace nerin
