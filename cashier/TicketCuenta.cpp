#include "cashier/TicketCuenta.h"

#include "cashier/ImprimirCuenta.h"
#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "printing/AlinearTexto.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/DireccionReporte.h"
#include "printing/MontoANombre.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

const QString kSalto = QStringLiteral("\r\n");
// Points the loyalty programme gives per whole peso of an account, for the points a customer without a
// card "left to earn".
constexpr qint64 kPuntosPorPeso = 1;

QString importe(Currency monto) {
    return TextFormat::number(monto, u"0.00");
}
QString izquierda(const QString& texto, int ancho) {
    return AlinearTexto(texto, ancho, kAlinearIzquierda, true);
}
QString derecha(const QString& texto, int ancho, bool truncar = true) {
    return AlinearTexto(texto, ancho, kAlinearDerecha, truncar);
}
QString centro(const QString& texto, int ancho) {
    return AlinearTexto(texto, ancho, kAlinearCentro, true);
}

} // namespace

TicketCuenta::TicketCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                           qint16 control, qint16 numCuenta)
    : m_context(context), m_cola(cola), m_trabajo(trabajo), m_idComanda(idComanda), m_control(control),
      m_numCuenta(numCuenta), m_ancho(context.anchoTicket > 0 ? context.anchoTicket : 32) {}

void TicketCuenta::falla(const QString& descripcion, qint64 numero) {
    if (m_error.isEmpty()) {
        m_error = descripcion;
        m_numero = numero;
    }
}

void TicketCuenta::fallaDeCola(const QString& descripcion) {
    // The print queue reports its own database failures; a job it refused without one is ours to tell.
    const DbFailure& ultima = m_context.baseDatos().connection().lastFailure();
    if (ultima.description.isEmpty()) {
        falla(descripcion);
        return;
    }
    if (m_error.isEmpty())
        m_reportada = true;
    falla(ultima.description, ultima.number);
}

bool TicketCuenta::reportar() {
    if (!m_reportada)
        m_context.Mensaje(QStringLiteral("Error al imprimir el ticket: ") + m_error, Prompts::kCritical);
    m_context.bitacora().registrarError(QStringLiteral("Imprimir ticket "), m_numero, m_error);
    return false;
}

bool TicketCuenta::agregar(const QString& linea) {
    if (m_cola.AgregarLinea(m_trabajo, BaseDatos::DuplicarComillas(linea)))
        return true;
    fallaDeCola(QStringLiteral("no se pudo agregar la línea al trabajo"));
    return false;
}

std::optional<RecordSet> TicketCuenta::consulta(const QString& sql) {
    Connection& conexion = m_context.baseDatos().connection();
    Result<RecordSet> resultado = conexion.query(sql);
    if (!resultado) {
        falla(conexion.lastFailure().description.isEmpty() ? resultado.status().message()
                                                           : conexion.lastFailure().description,
              conexion.lastFailure().number);
        return std::nullopt;
    }
    return std::move(*resultado);
}

QString TicketCuenta::cuentaSql(const QString& prefijo) const {
    return prefijo + QStringLiteral("ID_Comanda=") + QString::number(m_idComanda) +
           QStringLiteral(" AND Control=") + QString::number(m_control) + QStringLiteral(" AND Num_Cuenta=") +
           QString::number(m_numCuenta);
}

bool TicketCuenta::productos() {
    m_productos = consulta(QStringLiteral("ImprimirTicket ") + QString::number(m_idComanda) + u',' +
                           QString::number(m_control) + u',' + QString::number(m_numCuenta));
    return m_productos.has_value();
}

bool TicketCuenta::encabezado() {
    const QString id = QString::number(m_idComanda);
    std::optional<RecordSet> datos = consulta(
        (m_context.funcion(25)
             ? QStringLiteral("SELECT  com.id_empleado as Nombre_Empleado,Fecha_Cierre,Num_Mesa,"
                              "Num_Impresiones,CantHuespedes,isnull(cli.nombrecliente,'') as "
                              "NombreCliente")
             : QStringLiteral("SELECT  Nombre_Empleado,Fecha_Cierre,Num_Mesa,Num_Impresiones,"
                              "CantHuespedes,isnull(cli.nombrecliente,'') as NombreCliente")) +
        QStringLiteral(" FROM Comanda Com inner join Empleado Emp on com.id_empleado=emp.id_empleado") +
        QStringLiteral(" inner join Cuenta Cu on com.id_comanda=cu.id_comanda") +
        QStringLiteral(" left join Clientes cli on cli.cvecliente = cu.cvecliente") +
        QStringLiteral(" Where Com.Id_Comanda = ") + id +
        // The order of this terminal and the account printed: without them the first account's
        // reprints and customer would be printed on every account's ticket.
        QStringLiteral(" AND Com.Control = ") + QString::number(m_control) +
        QStringLiteral(" AND Cu.Control = Com.Control AND Cu.Num_Cuenta = ") + QString::number(m_numCuenta));
    if (!datos)
        return false;
    const QDateTime cierre = datos->value(QStringLiteral("Fecha_Cierre")).toDateTime();
    const QString fecha = TextFormat::dateTime(cierre, u"dd/mmm/yyyy");
    const QString hora = TextFormat::dateTime(cierre, u"hh:mm");
    const QString mesa = QStringLiteral("Mesa ") + datos->value(QStringLiteral("Num_Mesa")).toString();
    const qint64 impresiones = datos->value(QStringLiteral("Num_Impresiones")).toInt();

    for (const QString& linea : DireccionReporte(contextoImpresion(m_context))) {
        if (!agregar(linea))
            return false;
    }

    QString folio = QStringLiteral("<B>Folio: ") + id;
    if (m_numCuenta != 0)
        folio += QStringLiteral(" Cuenta: ") + QString::number(m_numCuenta);
    if (!m_context.funcion(13))
        folio += QStringLiteral("  Serie: ") + m_context.baseDatos()
                                                   .ConsultarCampo(QStringLiteral("Valor_Cad"),
                                                                   QStringLiteral("Parametros"),
                                                                   QStringLiteral("Id_Parametro='SERIE'"))
                                                   .toString();
    if (!agregar(folio + QStringLiteral("</B>")))
        return false;

    const QString mesero =
        QStringLiteral("Mesero: ") + datos->value(QStringLiteral("Nombre_Empleado")).toString();
    const QString lineaMesero =
        mesero.size() + fecha.size() <= m_ancho
            ? mesero + derecha(fecha, m_ancho - static_cast<int>(mesero.size()))
            : AlinearTexto(mesero, m_ancho, kAlinearIzquierda, false) + kSalto + derecha(fecha, m_ancho);
    if (!agregar(lineaMesero))
        return false;

    QString texto = kSalto + mesa + derecha(hora, m_ancho - static_cast<int>(mesa.size())) +
                    QStringLiteral("<N>") + QStringLiteral("Clientes: ") +
                    datos->value(QStringLiteral("CantHuespedes")).toString();
    std::optional<RecordSet> cliente = consulta(
        QStringLiteral("select NombreCliente + isnull(ApPaterno,'') + isnull(ApMaterno,'') as Nombre "
                       "from clientes cli inner join cuenta cu on cli.cvecliente = cu.cvecliente and "
                       "Id_comanda =") +
        id + QStringLiteral(" AND Num_Cuenta =") + QString::number(m_numCuenta));
    if (!cliente)
        return false;
    if (!cliente->eof())
        texto += QStringLiteral("<N>") +
                 izquierda(QStringLiteral("Cliente: ") + cliente->value(0).toString(), m_ancho);
    if (impresiones != 0)
        texto += QStringLiteral("<N>") + QStringLiteral("Reimpresiones: ") + QString::number(impresiones);
    return agregar(texto + QStringLiteral("<N>"));
}

bool TicketCuenta::lineasProductos() {
    if (!m_productos)
        return false;
    const bool bruto = m_context.funcion(24);
    for (m_productos->moveFirst(); !m_productos->eof(); m_productos->moveNext()) {
        const qint64 cantidad = m_productos->value(QStringLiteral("Cantidad")).toInt();
        const Currency precio = m_productos->value(QStringLiteral("Precio")).toCurrency();
        Currency monto = precio;
        if (bruto)
            monto = (m_productos->value(QStringLiteral("Precio_original")).toCurrency() +
                     m_productos->value(QStringLiteral("impuesto_original")).toCurrency());
        Currency unitario = cantidad > 0 ? monto.dividedBy(cantidad).value_or(monto) : monto;
        if (bruto) {
            unitario = unitario.roundedTo(0);
            monto = monto.roundedTo(0);
        }
        if (!agregar(LineasTicket::producto(m_productos->value(QStringLiteral("Nombre_Cuenta")).toString(),
                                            cantidad, importe(unitario), monto, m_ancho)))
            return false;
        m_subtotal += precio;
        m_impuesto += m_productos->value(QStringLiteral("Impuesto")).toCurrency();
    }
    return true;
}

bool TicketCuenta::totales() {
    const int tercio = LineasTicket::columna(m_ancho, 3);
    const int mitad = LineasTicket::columna(m_ancho, 2);
    // Columns of W/3 or W/2 rounded up may pass the width by one: the line ends at the width instead.
    auto columnas = [this, tercio](const QString& etiqueta, const QString& monto) {
        return LineasTicket::conImporte(derecha(etiqueta, tercio), kAlinearDerecha, monto, tercio,
                                        std::min(m_ancho, 3 * tercio));
    };
    auto mitades = [this, mitad](const QString& etiqueta, const QString& monto) {
        return LineasTicket::conImporte(derecha(etiqueta, mitad), kAlinearDerecha, monto, mitad,
                                        std::min(m_ancho, 2 * mitad));
    };
    if (m_context.funcion(24) &&
        !agregar(QStringLiteral("<N>") + columnas(QStringLiteral("Subtotal:"), importe(m_subtotal))))
        return false;

    std::optional<RecordSet> descuentos = consulta(
        QStringLiteral("Select nombre_tipo_cortesia,monto from vw_descuentosxcuenta where id_comanda=") +
        QString::number(m_idComanda) + QStringLiteral(" and Num_cuenta=") + QString::number(m_numCuenta));
    if (!descuentos)
        return false;
    for (; !descuentos->eof(); descuentos->moveNext()) {
        if (!agregar(
                columnas(descuentos->value(0).toString(), u'-' + importe(descuentos->value(1).toCurrency()))))
            return false;
    }

    if (m_context.funcion(23) &&
        !agregar(QStringLiteral("<N>") + mitades(QStringLiteral("Subtotal: "), importe(m_subtotal)) +
                 QStringLiteral("<N>") + mitades(QStringLiteral("IVA: "), importe(m_impuesto))))
        return false;

    // The lines add up to the account's stored total, from which the payment screen asks the amount to
    // pay under the rounding rule; the total line prints that amount too where it differs.
    if (!agregar(LineasTicket::total(m_subtotal + m_impuesto)))
        return false;
    const Currency total = (m_subtotal + m_impuesto).roundedTo(2);
    if (m_context.funcion(10)) {
        // A rate of 0 would divide by zero: the dollars line is left out until the rate is set.
        const Currency tipoCambio =
            m_context.baseDatos()
                .ConsultarCampo(QStringLiteral("Valor_Num"), QStringLiteral("Parametros"),
                                QStringLiteral("Id_Parametro='TC_US'"))
                .toCurrency();
        if (tipoCambio > Currency()) {
            const std::optional<Currency> dolares = total.dividedBy(tipoCambio.toDouble());
            if (dolares && !agregar(LineasTicket::dolares(dolares->roundedTo(2))))
                return false;
        }
    }
    if (!agregar(MontoANombre(total, QStringLiteral("ESPAÑOL"), QStringLiteral("pesos")) +
                 QStringLiteral(" M.N. ")))
        return false;
    if (m_context.funcion(19) && !lealtad(total))
        return false;
    return cargosACuenta();
}

bool TicketCuenta::lealtad(Currency total) {
    std::optional<RecordSet> saldos = consulta(
        QStringLiteral(
            "select isnull(SaldoAnteriorP,0) as SaldoAnteriorP,isnull(SaldoAnterior,0) as "
            "SaldoAnterior,isnull(NuevoSaldoP,0) as NuevoSaldoP,isnull(NuevoSaldo,0) as NuevoSaldo "
            "from clientes cli inner join cuenta cu on cli.cvecliente = cu.cvecliente and "
            "Id_comanda = ") +
        QString::number(m_idComanda) + QStringLiteral(" AND Num_Cuenta = ") + QString::number(m_numCuenta));
    if (!saldos)
        return false;
    const QString estrellas(m_ancho, u'*');
    if (!agregar(estrellas))
        return false;
    const int mitad = LineasTicket::columna(m_ancho, 2);
    QStringList lineas;
    if (saldos->eof()) {
        const qint64 puntos = total.wholePart() * kPuntosPorPeso;
        lineas << QStringLiteral("<N><H><B>") + centro(QStringLiteral("Usted ha dejado de ganar:"), m_ancho) +
                      QStringLiteral("<N>") +
                      centro(QString::number(puntos) + QStringLiteral(" Pasta-Puntos"), m_ancho) +
                      QStringLiteral("</H></B>")
               << centro(QStringLiteral("Le invitamos a pertenecer alla"), m_ancho) + QStringLiteral("<N>")
               << centro(QStringLiteral("Nostra Famiglia, solicite su"), m_ancho)
               << centro(QStringLiteral("tarjeta y comience a disfrutar"), m_ancho)
               << centro(QStringLiteral("de los beneficios Vallenti"), m_ancho);
    } else {
        const int ancho = std::min(m_ancho, 2 * mitad);
        lineas << LineasTicket::conImporte(QStringLiteral("Pasta-Puntos:"), kAlinearIzquierda,
                                           saldos->value(QStringLiteral("NuevoSaldoP")).toString(), mitad,
                                           ancho)
               << LineasTicket::conImporte(QStringLiteral("Saldo Pesos:"), kAlinearIzquierda,
                                           saldos->value(QStringLiteral("NuevoSaldo")).toString(), mitad,
                                           ancho)
               << AlinearTexto(QStringLiteral("* Si nos visita en los próximos 7 dias le otorgamos "),
                               m_ancho, kAlinearIzquierda, false) +
                      QStringLiteral("<N>")
               << QStringLiteral("<H><B>TRIPLES</H> ") +
                      derecha(QStringLiteral("PASTA-PUNTOS!"), m_ancho - 14) + QStringLiteral("</B>")
               << AlinearTexto(QStringLiteral("* Si nos visita en los próximos 15 dias le otorgamos "),
                               m_ancho, kAlinearIzquierda, false)
               << QStringLiteral("<H><B>DOBLES</H> ") +
                      derecha(QStringLiteral("PASTA-PUNTOS!"), m_ancho - 12) + QStringLiteral("</B>")
               << centro(QStringLiteral("Recuerde que entre mas pronto"), m_ancho) + QStringLiteral("<N>")
               << centro(QStringLiteral("nos visite, sus pesos generan"), m_ancho)
               << QStringLiteral("<H>") + centro(QStringLiteral("MAS PASTA-PUNTOS"), mitad) +
                      QStringLiteral("</H>");
    }
    lineas << QStringLiteral("<N>") + estrellas + QStringLiteral("<N>");
    for (const QString& linea : std::as_const(lineas)) {
        if (!agregar(linea))
            return false;
    }
    return true;
}

bool TicketCuenta::cargosACuenta() {
    std::optional<RecordSet> cargos = consulta(
        QStringLiteral("select nombrecliente as nombre,nombre_tipo_cortesia as tipo, total From "
                       "vw_reportecortesiasespeciales Where Id_Comanda = ") +
        QString::number(m_idComanda) + QStringLiteral(" AND Num_Cuenta = ") + QString::number(m_numCuenta));
    if (!cargos)
        return false;
    if (cargos->eof())
        return true;
    const int cuarto = LineasTicket::columna(m_ancho, 4);
    const int tercio = LineasTicket::columna(m_ancho, 3);
    if (!agregar(QString(cuarto, u'*') +
                 centro(QStringLiteral("CARGOS A CUENTA"), LineasTicket::columna(m_ancho, 2)) +
                 QString(cuarto, u'*')))
        return false;
    // The name in two thirds and the amount in the last, which ends at the width.
    const int ancho = std::min(m_ancho, 3 * tercio);
    for (; !cargos->eof(); cargos->moveNext()) {
        if (!agregar(LineasTicket::conImporte(
                cargos->value(QStringLiteral("nombre")).toString().left(2 * tercio), kAlinearIzquierda,
                u'$' + importe(cargos->value(QStringLiteral("total")).toCurrency()), ancho - 2 * tercio,
                ancho)))
            return false;
    }
    return true;
}

bool TicketCuenta::pagos() {
    std::optional<RecordSet> pagos = consulta(cuentaSql(
        QStringLiteral("SELECT nombre_tipo_pago AS TIPO_PAGO, monto, propina  FROM Vw_PagosXCuenta WHERE ")));
    if (!pagos || !agregar(QStringLiteral("<N><N>Pagos Realizados:<N>")))
        return false;
    QList<LineasTicket::Pago> filas;
    for (; !pagos->eof(); pagos->moveNext())
        filas.append(
            {pagos->value(0).toString(), pagos->value(1).toCurrency(), pagos->value(2).toCurrency()});
    for (const QString& linea : LineasTicket::pagos(filas, m_ancho)) {
        if (!agregar(linea))
            return false;
    }
    return true;
}

bool TicketCuenta::concursoYPie() {
    if (!m_context.funcion(16))
        return true;
    const QString cuenta = QStringLiteral(" AND pxc.Control=") + QString::number(m_control) +
                           QStringLiteral(" AND pxc.Num_Cuenta=") + QString::number(m_numCuenta);
    std::optional<RecordSet> especiales = consulta(
        QStringLiteral("select count(*) as valor from productosxcuenta pxc inner join producto pr on "
                       "pxc.id_producto = pr.id_producto where pr.especial=1 and pxc.ID_Comanda=") +
        QString::number(m_idComanda) + cuenta);
    if (!especiales)
        return false;
    if (!especiales->eof() && especiales->value(0).toInt() > 0) {
        for (const QString& linea : LineasTicket::concurso()) {
            if (!agregar(linea))
                return false;
        }
    }
    // Every CUENTA_TICKET-th order; a value of 0 or less prints it never.
    if (m_context.cuentaTicket <= 0 || m_idComanda % m_context.cuentaTicket != 0)
        return true;
    std::optional<RecordSet> textos = consulta(QStringLiteral(
        "SELECT Valor_Cad FROM Parametros WHERE Id_Parametro LIKE 'TXTTICKET%' ORDER BY id_parametro"));
    if (!textos)
        return false;
    for (; !textos->eof(); textos->moveNext()) {
        if (!agregar(textos->value(0).toString()))
            return false;
    }
    return agregar(LineasTicket::codigoCupon(
        m_context.store, TextFormat::dateTime(m_context.HoraServidor(), u"mmddhh"), m_idComanda));
}

std::optional<QStringList> TicketCuenta::lineasResumenConsumo() {
    if (!productos())
        return std::nullopt;
    for (m_productos->moveFirst(); !m_productos->eof(); m_productos->moveNext()) {
        m_subtotal += m_productos->value(QStringLiteral("Precio")).toCurrency();
        m_impuesto += m_productos->value(QStringLiteral("Impuesto")).toCurrency();
    }
    m_impuesto = m_impuesto.roundedTo(2);
    const Currency total = m_subtotal + m_impuesto;
    // The rate in whole percent; an account without a subtotal has none.
    const qint64 tasa = m_subtotal == Currency()
                            ? 0
                            : Currency::fromUnits(100)
                                  .multipliedBy(m_impuesto.toDouble() / m_subtotal.toDouble())
                                  .value_or(Currency())
                                  .roundedTo(0)
                                  .wholePart();
    auto linea = [this](const QString& etiqueta, const QString& valor) {
        return LineasTicket::conImporte(etiqueta, kAlinearIzquierda, valor,
                                        m_ancho - static_cast<int>(etiqueta.size()), m_ancho);
    };
    return QStringList{linea(QStringLiteral("Consumo :"), importe(m_subtotal)),
                       linea(QStringLiteral("% IVA :"), QString::number(tasa)),
                       linea(QStringLiteral("Total :"), importe(total)),
                       QStringLiteral("<N>(") +
                           MontoANombre(total, QStringLiteral("ESPAÑOL"), QStringLiteral("pesos")) +
                           QStringLiteral(" M.N.)")};
}

bool TicketCuenta::resumenConsumo() {
    const std::optional<QStringList> lineas = lineasResumenConsumo();
    if (!lineas)
        return false;
    for (const QString& linea : *lineas)
        if (!agregar(linea))
            return false;
    return true;
}

bool TicketCuenta::cerrar() {
    if (m_cola.CerrarTrabajo(m_trabajo))
        return true;
    if (m_cola.fallaReportada().isEmpty()) {
        fallaDeCola(QStringLiteral("no se pudo cerrar el trabajo de impresión"));
        return false;
    }
    // The queue reported the database's failure when it gave up the job.
    if (m_error.isEmpty())
        m_reportada = true;
    falla(m_cola.fallaReportada());
    return false;
}

} // namespace nerin
