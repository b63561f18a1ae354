#include "printing/ImprimirVerificacion.h"

#include "printing/AlinearTexto.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/TipoDocumento.h"
#include "printing/TrabajoReporte.h"
#include "text/TextFormat.h"

#include <QStringList>

namespace nerin {

namespace {

QString importe(Currency monto) {
    return TextFormat::number(monto, u"0.00");
}

QString entero(Currency monto) {
    return TextFormat::number(monto.roundedTo(0), u"0");
}

// The figures of the employee's orders on the working date, label and value, in print order.
QList<std::pair<QString, QString>> cifras(const RecordSet& fila, Currency porPropina) {
    if (fila.eof()) {
        QList<std::pair<QString, QString>> ceros;
        for (const char* etiqueta : {"Mesas:", "Clientes:", "Venta:", "Cons. Prom.:", "Ventas Netas:",
                                     "% Venta:", "Propina:", "Propina-Com.:", "Balance:"})
            ceros.append({QString::fromUtf8(etiqueta), QStringLiteral("0")});
        return ceros;
    }
    const Currency venta = fila.value(u"Venta").toCurrency();
    const qint64 huespedes = fila.value(u"Huespedes").toInt();
    const Currency propina = fila.value(u"Propina").toCurrency();
    // The tip owed to the house on the gross sale; porPropina is a percentage with up to four
    // decimals, so the factor is exact as a decimal.
    const Currency propinaBruta =
        venta.multipliedBy(static_cast<double>(porPropina.raw()) / (100.0 * Currency::kScale))
            .value_or(Currency());
    return {
        {QStringLiteral("Mesas:"), QString::number(fila.value(u"Mesas").toInt())},
        {QStringLiteral("Clientes:"), QString::number(huespedes)},
        {QStringLiteral("Ventas:"), entero(venta)},
        {QStringLiteral("Cons. Prom.:"),
         entero(venta.dividedBy(huespedes == 0 ? 1 : huespedes).value_or(venta))},
        {QStringLiteral("Ventas Netas:"), importe(fila.value(u"Venta_Neta").toCurrency())},
        {QStringLiteral("% Venta Neta:"), importe(fila.value(u"Prop_Rep").toCurrency())},
        {QStringLiteral("% Venta Brut:"), importe(propinaBruta.roundedTo(2))},
        {QStringLiteral("Propina:"), importe(propina)},
        {QStringLiteral("Propina-Com.:"), importe(fila.value(u"Prop_com").toCurrency())},
        {QStringLiteral("Balance Neto.:"), importe(fila.value(u"Balance").toCurrency())},
        {QStringLiteral("Balance Brut.:"), importe(propina - propinaBruta)},
    };
}

} // namespace

bool ImprimirVerificacion(const ContextoImpresion& contexto, ColaImpresion& cola, qint16 idEmpleado) {
    const std::optional<qint32> impresora = ImpresorasTerminal(contexto).localReportes();
    if (!impresora)
        return false;
    const int w = contexto.ancho();
    const int mitad = TrabajoReporte::parte(w, 2);
    const int tercio = TrabajoReporte::parte(w, 3);
    const int cuarto = TrabajoReporte::parte(w, 4);
    const QString id = QString::number(idEmpleado);
    const QString estrellas(w, u'*');

    TrabajoReporte reporte(contexto, cola, QStringLiteral("ImprimirVerificacion"));
    reporte.linea(QStringLiteral("<H>") +
                  AlinearTexto(QStringLiteral("Verificacion del Empleado"), mitad, kAlinearCentro, false) +
                  QStringLiteral("</H>"));
    const std::optional<DbValue> nombre = reporte.valor(
        QStringLiteral("SELECT Nombre_Empleado + ' ' + Apellido_Paterno FROM Empleado WHERE Id_Empleado=") +
        id);
    reporte.linea(QStringLiteral("<N><B>") +
                  AlinearTexto(nombre.value_or(DbValue()).toString(), w, kAlinearCentro, false) +
                  QStringLiteral("</b><N>"));
    const std::optional<DbValue> fecha =
        reporte.valor(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"));
    reporte.linea(
        AlinearTexto(TrabajoReporte::fecha(fecha.value_or(DbValue()).toString()), w, kAlinearCentro, false) +
        QStringLiteral("<N>"));
    reporte.linea(estrellas + QStringLiteral("<N>"));

    const std::optional<RecordSet> control = reporte.consultar(
        QStringLiteral("SELECT Nombre_empleado, SUM(Mesas) as Mesas, SUM(Huespedes) as Huespedes,") +
        QStringLiteral(" SUM(Venta) as Venta, SUM(Venta_neta) as Venta_Neta, SUM(prop_rep) as PROP_REP,") +
        QStringLiteral(" SUM(PROPINA) as Propina, SUM(prop_com) as Prop_com, SUM(Balance) as Balance") +
        QStringLiteral(" FROM Vw_ControlPropina") +
        QStringLiteral(" WHERE Fecha_Trabajo=(SELECT valor_cad FROM Parametros WHERE "
                       "Id_Parametro='FECHA_TRABAJO') AND ID_Empleado=") +
        id + QStringLiteral(" GROUP BY Nombre_Empleado"));
    Currency porPropina;
    if (control && !control->eof()) {
        const std::optional<DbValue> parametro =
            reporte.valor(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='PORPROPINA'"));
        porPropina = parametro.value_or(DbValue()).toCurrency();
    }
    if (control) {
        for (const auto& [etiqueta, valor] : cifras(*control, porPropina))
            reporte.linea(AlinearTexto(etiqueta, mitad, kAlinearDerecha, true) +
                          AlinearTexto(valor, mitad, kAlinearDerecha, true));
    }

    reporte.linea(estrellas);
    reporte.linea(QStringLiteral("<B>") +
                  AlinearTexto(QStringLiteral("Resumen Pagos:"), w, kAlinearIzquierda, false) +
                  QStringLiteral("</B>"));
    reporte.linea(QStringLiteral("[TIPO_PAGO] [MONTO] [PROPINA]"));
    const std::optional<RecordSet> resumen =
        reporte.consultar(QStringLiteral("SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=") + id);
    for (RecordSet filas = resumen.value_or(RecordSet()); !filas.eof(); filas.moveNext()) {
        reporte.linea(
            AlinearTexto(filas.value(u"Nombre_Tipo_Pago").toString(), tercio, kAlinearIzquierda, true) +
            AlinearTexto(u'$' + importe(filas.value(u"Total").toCurrency()), tercio, kAlinearIzquierda,
                         true) +
            AlinearTexto(u'$' + importe(filas.value(u"Propina").toCurrency()), tercio, kAlinearIzquierda,
                         true));
    }

    reporte.linea(QStringLiteral("<b>") +
                  AlinearTexto(QStringLiteral("Pagos Realizados:"), w, kAlinearIzquierda, false) +
                  QStringLiteral("</b>"));
    QString titulo;
    for (const char* columna : {"[MESA]", "[PAGOS]", "[MONTO]", "[PROP]"})
        titulo += AlinearTexto(QString::fromUtf8(columna), cuarto, kAlinearIzquierda, true);
    reporte.linea(titulo);
    const std::optional<RecordSet> pagos = reporte.consultar(
        QStringLiteral("SELECT MESA,TIPO,PAGO,PROPINA FROM Vw_Ajuste_Pagos WHERE id_empleado=") + id +
        QStringLiteral(" ORDER BY TIPO, MESA"));
    for (RecordSet filas = pagos.value_or(RecordSet()); !filas.eof(); filas.moveNext()) {
        QString linea;
        for (const QString& texto : {filas.value(u"MESA").toString(), filas.value(u"TIPO").toString(),
                                     u' ' + TextFormat::number(filas.value(u"PAGO").toCurrency(), u".00"),
                                     u' ' + TextFormat::number(filas.value(u"PROPINA").toCurrency(), u".00")})
            linea += AlinearTexto(texto, cuarto, kAlinearIzquierda, true);
        reporte.linea(linea);
    }

    reporte.linea(AlinearTexto(QStringLiteral("***** FIN DEL REPORTE *****"), w, kAlinearCentro, false));
    return reporte.imprimir(TipoDocumento::kTicket, *impresora);
}

} // namespace nerin
