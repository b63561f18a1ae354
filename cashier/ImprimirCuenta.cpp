#include "cashier/ImprimirCuenta.h"

#include "cashier/TicketCuenta.h"
#include "data/BaseDatos.h"
#include "printing/AlinearTexto.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/MontoANombre.h"
#include "printing/TipoDocumento.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"
#include "text/PriceRounding.h"
#include "text/TextFormat.h"

#include <algorithm>
#include <array>

namespace nerin {

namespace {

// The web and social-network addresses of the contest.
const QString kRedSocial = QStringLiteral("facebook.com/LaRecetaDeLaFamiglia");
const QString kSitioWeb = QStringLiteral("www.larecetadelafamiglia.com.mx");

QString importe(Currency monto) {
    return TextFormat::number(monto, u"0.00");
}

int largo(const QString& texto) {
    return static_cast<int>(texto.size());
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

QString conImporte(const QString& etiqueta, int alineacion, const QString& texto, int columna, int ancho) {
    const int anchoImporte = std::max(columna, largo(texto) + 1);
    return AlinearTexto(etiqueta, ancho - anchoImporte, alineacion, true) +
           AlinearTexto(texto, anchoImporte, kAlinearDerecha, false);
}

QString producto(const QString& nombre, qint64 cantidad, const QString& precioUnitario, Currency monto,
                 int ancho) {
    QString descripcion = nombre;
    if (cantidad > 1)
        descripcion += u'(' + QString::number(cantidad) + u'X' + precioUnitario + u')';
    return conImporte(descripcion.left(25), kAlinearIzquierda, importe(monto), ancho - 25, ancho);
}

QString total(Currency suma) {
    const QString textoTotal = u'$' + importe(suma.roundedTo(2));
    const QString textoAPagar = u'$' + importe(redondearPrecio(suma));
    if (textoAPagar == textoTotal)
        return QStringLiteral("<N><H><B>Total ") +
               AlinearTexto(textoTotal, std::max(10, largo(textoTotal)), kAlinearDerecha, false) +
               QStringLiteral("</H></B>");
    const QString etiqueta = QStringLiteral("Total a pagar ");
    const int anchoImporte = std::max({10, largo(textoTotal), largo(textoAPagar)});
    return QStringLiteral("<N><H><B>") +
           AlinearTexto(QStringLiteral("Total"), largo(etiqueta), kAlinearIzquierda, true) +
           AlinearTexto(textoTotal, anchoImporte, kAlinearDerecha, false) +
           QStringLiteral("</H></B><N><H><B>") + etiqueta +
           AlinearTexto(textoAPagar, anchoImporte, kAlinearDerecha, false) + QStringLiteral("</H></B>");
}

QString dolares(Currency monto) {
    const QString texto = importe(monto);
    return QStringLiteral("<H><B>      ") +
           AlinearTexto(texto, std::max(7, largo(texto)), kAlinearDerecha, false) +
           QStringLiteral(" U.S.</H></B>");
}

QStringList pagos(const QList<Pago>& pagos, int ancho) {
    const int c = columna(ancho, 3);
    // Three columns of W/3 rounded up pass the width by one (32 gives 11, 11 and 11): the tip's column
    // is then what is left.
    int anchoMonto = c;
    int anchoPropina = std::min(c, ancho - 2 * c);
    QList<std::array<QString, 3>> filas;
    for (const Pago& pago : pagos) {
        filas.append({pago.tipo, u'$' + importe(pago.monto), u'$' + importe(pago.propina)});
        anchoMonto = std::max(anchoMonto, largo(filas.last()[1]) + 1);
        anchoPropina = std::max(anchoPropina, largo(filas.last()[2]));
    }
    const int anchoTipo = std::min(c, ancho - anchoMonto - anchoPropina);
    auto linea = [&](const std::array<QString, 3>& fila) {
        return AlinearTexto(fila[0], anchoTipo, kAlinearIzquierda, true) +
               AlinearTexto(fila[1], anchoMonto, kAlinearIzquierda, true) +
               AlinearTexto(fila[2], anchoPropina, kAlinearIzquierda, true);
    };
    QStringList lineas{
        linea({QStringLiteral("[PAGOS]"), QStringLiteral("[MONTO]"), QStringLiteral("[PROPINA]")})};
    for (const auto& fila : std::as_const(filas))
        lineas.append(linea(fila));
    return lineas;
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
        ticket.fallaDeCola(QStringLiteral("no se pudo abrir el trabajo de impresión"));
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

std::optional<QStringList> LineasResumenConsumo(TerminalContext& context, qint32 idComanda, qint16 control,
                                                qint16 numCuenta) {
    // Nothing is queued: the job is only there for the composing's sake.
    ColaImpresion cola(context.baseDatos());
    TicketCuenta ticket(context, cola, 0, idComanda, control, numCuenta);
    std::optional<QStringList> lineas = ticket.lineasResumenConsumo();
    if (!lineas)
        ticket.reportar();
    return lineas;
}

} // namespace nerin
