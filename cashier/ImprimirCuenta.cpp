#include "cashier/ImprimirCuenta.h"

#include "cashier/TicketCuenta.h"
#include "data/BaseDatos.h"
#include "printing/AlinearTexto.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/MontoANombre.h"
#include "printing/TipoDocumento.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

// The web and social-network addresses of the contest.
const QString kRedSocial = QStringLiteral("facebook.com/LaRecetaDeLaFamiglia");
const QString kSitioWeb = QStringLiteral("www.larecetadelafamiglia.com.mx");

QString importe(Currency monto) {
    return TextFormat::number(monto, u"0.00");
}

} // namespace

namespace LineasTicket {

int columna(int ancho, int partes) {
    if (partes <= 0)
        return ancho;
    int cociente = ancho / partes;
    const int resto = ancho % partes;
    if (2 * resto > partes || (2 * resto == partes && cociente % 2 == 1))
        ++cociente;
    return cociente;
}

QString producto(const QString& nombre, qint64 cantidad, const QString& precioUnitario, Currency monto,
                 int ancho) {
    QString descripcion = nombre;
    if (cantidad > 1)
        descripcion += u'(' + QString::number(cantidad) + u'X' + precioUnitario + u')';
    return AlinearTexto(descripcion, 25, kAlinearIzquierda, true) +
           AlinearTexto(importe(monto), ancho - 25, kAlinearDerecha, true);
}

QString total(Currency monto) {
    return QStringLiteral("<N><H><B>Total ") +
           AlinearTexto(u'$' + importe(monto), 10, kAlinearDerecha, false) + QStringLiteral("</H></B>");
}

QString dolares(Currency monto) {
    return QStringLiteral("<H><B>      ") + AlinearTexto(importe(monto), 7, kAlinearDerecha, false) +
           QStringLiteral(" U.S.</H></B>");
}

QString tituloPagos(int ancho) {
    const int c = columna(ancho, 3);
    return AlinearTexto(QStringLiteral("[PAGOS]"), c, kAlinearIzquierda, true) +
           AlinearTexto(QStringLiteral("[MONTO]"), c, kAlinearIzquierda, true) +
           AlinearTexto(QStringLiteral("[PROPINA]"), c, kAlinearIzquierda, true);
}

QString pago(const QString& tipo, Currency monto, Currency propina, int ancho) {
    const int c = columna(ancho, 3);
    return AlinearTexto(tipo, c, kAlinearIzquierda, true) +
           AlinearTexto(u'$' + importe(monto), c, kAlinearIzquierda, true) +
           AlinearTexto(u'$' + importe(propina), c, kAlinearIzquierda, true);
}

QString codigoCupon(const QString& store, const QString& horaMMDDHH, qint32 idComanda) {
    return QStringLiteral("<H><B>") + store.trimmed() + horaMMDDHH + QString::number(idComanda).right(5) +
           QStringLiteral("</B></H>");
}

QStringList concurso() {
    return {
        QStringLiteral("_____________________"),
        QStringLiteral("Participa en nuestro gran concurso"),
        QStringLiteral("<N>    La Receta de la Famiglia<N>"),
        QStringLiteral("<H> Comparte tu receta y</H>"),
        QStringLiteral("<H>gana un viaje a Italia</H>"),
        QStringLiteral("<H> para ti y tu familia</H>"),
        QStringLiteral("<N>Registra el codigo"),
        QStringLiteral("del cupon anexo en:"),
        kRedSocial,
        QStringLiteral("<N>* Consulota mecanica y bases en"),
        QStringLiteral("nuestro Fan Page de Facebook"),
        QStringLiteral("y en ") + kSitioWeb,
        QStringLiteral("_____________________"),
    };
}

} // namespace LineasTicket

ContextoImpresion contextoImpresion(TerminalContext& context) {
    return ContextoImpresion{
        .baseDatos = context.baseDatos(),
        .bitacora = context.bitacora(),
        .mensaje = [&context](const QString& texto, int estilo) { return context.Mensaje(texto, estilo); },
        .horaServidor = [&context] { return context.HoraServidor(); },
        .terminal = context.terminal,
        .anchoTicket = context.anchoTicket,
        .direccionDeParametros = context.funcion(13),
        .idEmpleado = context.sesion().idEmpleado(),
        .usuario = context.sesion().usuario(),
    };
}

bool ImprimirCuenta(TerminalContext& context, ColaImpresion& cola, qint32 idComanda, qint16 numCuenta,
                    qint16 control, bool conPagos) {
    const ContextoImpresion impresion = contextoImpresion(context);
    const std::optional<qint32> impresora = ImpresorasTerminal(impresion).local();
    if (!impresora)
        return false;
    const qint32 trabajo = cola.AbrirTrabajo(TipoDocumento::kTicket, static_cast<double>(*impresora),
                                             impresion.usuarioTrabajo());
    TicketCuenta ticket(context, cola, trabajo, idComanda, control, numCuenta);
    if (trabajo == 0) {
        ticket.falla(QStringLiteral("no se pudo abrir el trabajo de impresión"));
        return ticket.reportar();
    }
    const bool hecho = ticket.productos() && ticket.encabezado() && ticket.lineasProductos() &&
                       ticket.totales() && (!conPagos || ticket.pagos()) && ticket.concursoYPie() &&
                       ticket.cerrar();
    return hecho || ticket.reportar();
}

bool EncabezadoCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                      qint16 control, qint16 numCuenta) {
    TicketCuenta ticket(context, cola, trabajo, idComanda, control, numCuenta);
    return ticket.encabezado() || ticket.reportar();
}

bool TotalesCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, Currency subtotal,
                   Currency impuesto, qint32 idComanda, qint16 control, qint16 numCuenta) {
    TicketCuenta ticket(context, cola, trabajo, idComanda, control, numCuenta);
    ticket.fijarSumas(subtotal, impuesto);
    return ticket.totales() || ticket.reportar();
}

bool ResumenConsumo(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                    qint16 control, qint16 numCuenta) {
    TicketCuenta ticket(context, cola, trabajo, idComanda, control, numCuenta);
    return ticket.resumenConsumo() || ticket.reportar();
}

} // namespace nerin
