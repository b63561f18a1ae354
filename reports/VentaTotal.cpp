#include "reports/VentaTotal.h"

#include "data/BaseDatos.h"
#include "printing/ImprimirSpread.h"
#include "reports/VentasDelDia.h"

namespace nerin {

namespace {

const QString kTotal = QStringLiteral("                                   TOTAL:");

// The first row of a statement's result; an empty row when there is none (a day without figures).
QList<DbValue> primeraFila(const RecordSet& filas) {
    return filas.rows().isEmpty() ? QList<DbValue>() : filas.rows().first();
}

QString cantidad(const DbValue& valor) {
    return QString::number(valor.toInt());
}

} // namespace

VentaTotal::VentaTotal(BaseDatos& baseDatos)
    : m_baseDatos(baseDatos), m_hoja({QStringLiteral("Concepto"), QStringLiteral("Monto")}) {}

bool VentaTotal::cargar() {
    m_hoja = HojaResumen({m_hoja.titulo(0), m_hoja.titulo(1)});
    m_cifras = CifrasGraficas();
    m_ventas = m_pagos = m_cortesias = Seccion();

    m_hoja.agregarTexto({QStringLiteral("           Resumen Ventas")}, true);
    const std::optional<RecordSet> fecha = m_baseDatos.AbrirRecordset(
        QStringLiteral("SELECT Valor_Cad FROM parametros WHERE id_parametro='FECHA_TRABAJO'"));
    if (!fecha)
        return false;
    const DbValue valorFecha = primeraFila(*fecha).value(0);
    const QDate dia = VentasDelDia::fechaTrabajo(valorFecha);
    m_hoja.agregarTexto(
        {dia.isValid() ? dia.toString(QStringLiteral("dd/MM/yyyy")) : valorFecha.toString().trimmed()});
    m_hoja.agregarVacia();

    const QString delDia = QStringLiteral(" where fecha_trabajo=(select valor_cad from parametros where "
                                          "id_parametro='fecha_trabajo')");
    const std::optional<RecordSet> huespedes =
        m_baseDatos.AbrirRecordset(QStringLiteral("select Cantidad from Vw_HuespedesXDia") + delDia);
    if (!huespedes)
        return false;
    const std::optional<RecordSet> cubiertos =
        m_baseDatos.AbrirRecordset(QStringLiteral("select Cantidad from Vw_CubiertosXDia") + delDia);
    if (!cubiertos)
        return false;
    const std::optional<RecordSet> ventas = m_baseDatos.AbrirRecordset(
        QStringLiteral("SELECT isnull(SUM(Total),0) as Monto, isnull(SUM(Impuestos),0) as impuesto FROM "
                       "Vw_Total_Ventas"));
    if (!ventas)
        return false;
    const QString porClase = QStringLiteral("SELECT SUM(Monto) as Total, SUM(propina) as Propinas FROM "
                                            "Vw_Total_Pagos WHERE Clase = ");
    const std::optional<RecordSet> tarjetas = m_baseDatos.AbrirRecordset(porClase + QStringLiteral("'T'"));
    if (!tarjetas)
        return false;
    const std::optional<RecordSet> efectivo = m_baseDatos.AbrirRecordset(porClase + QStringLiteral("'E'"));
    if (!efectivo)
        return false;

    // SUM over no payments of a class is NULL: it reads as 0.00.
    const Currency totalVentas = primeraFila(*ventas).value(0).toCurrency();
    const Currency impuesto = primeraFila(*ventas).value(1).toCurrency();
    const QList<DbValue> enTarjetas = primeraFila(*tarjetas);
    const QList<DbValue> enEfectivo = primeraFila(*efectivo);
    m_hoja.agregarTexto({QStringLiteral("TOTAL CLIENTES"), cantidad(primeraFila(*huespedes).value(0))});
    m_hoja.agregarTexto({QStringLiteral("TOTAL CUBIERTOS"), cantidad(primeraFila(*cubiertos).value(0))});
    m_hoja.agregarMontos(QStringLiteral("TOTAL VENTAS"), {totalVentas});
    m_hoja.agregarMontos(QStringLiteral("TOTAL IMPUESTO"), {impuesto});
    m_hoja.agregarMontos(QStringLiteral("TOTAL DE TARJETAS"), {enTarjetas.value(0).toCurrency()});
    m_hoja.agregarMontos(QStringLiteral("TOTAL DE PROPINAS"),
                         {enTarjetas.value(1).toCurrency() + enEfectivo.value(1).toCurrency()});
    m_hoja.agregarMontos(QStringLiteral("BALANCE DE EFECTIVO"), {enEfectivo.value(0).toCurrency()});
    m_hoja.agregarMontos(QStringLiteral("Ventas Netas "), {totalVentas - impuesto}, true);

    const std::optional<Seccion> porCategoria =
        seccion(QStringLiteral("Ventas"),
                {QStringLiteral("                     CATEGORIAS       "), QStringLiteral("      TOTAL")},
                QStringLiteral("SELECT Nombre_Categoria, Precio as Monto, Total FROM Vw_Total_Ventas"), 2);
    if (!porCategoria)
        return false;
    m_ventas = *porCategoria;
    const std::optional<Seccion> porTipo = seccion(
        QStringLiteral("Total Pagos"),
        {QStringLiteral("            TIPO PAGO       "), QStringLiteral("                      MONTO")},
        QStringLiteral("SELECT Nombre_Tipo_Pago, ISNULL(Monto,0)+ISNULL(Propina,0) as Monto, "
                       "isnull(Propina,0) as Propina FROM Vw_Total_Pagos"),
        1);
    if (!porTipo)
        return false;
    m_pagos = *porTipo;
    const std::optional<Seccion> porCortesia =
        seccion(QStringLiteral("Cortesias"),
                {QStringLiteral("            CORTESIA       "), QStringLiteral("      MONTO")},
                QStringLiteral("SELECT * FROM Vw_Cortesias_Totales"), 1);
    if (!porCortesia)
        return false;
    m_cortesias = *porCortesia;

    for (int fila = m_pagos.primera; fila <= m_pagos.ultima; ++fila)
        m_cifras.porConcepto.append(
            Barra{m_hoja.celda(fila, 0).texto, m_hoja.celda(fila, 1).monto.value_or(Currency())});
    return VentasDelDia(m_baseDatos, std::nullopt).cargar(m_cifras);
}

std::optional<VentaTotal::Seccion> VentaTotal::seccion(const QString& nombre, const QStringList& titulos,
                                                       const QString& sql, int columnaMonto) {
    const std::optional<RecordSet> filas = m_baseDatos.AbrirRecordset(sql);
    if (!filas)
        return std::nullopt;
    m_hoja.agregarVacia();
    Seccion seccion;
    seccion.nombre = m_hoja.agregarTexto({nombre}, true);
    m_hoja.agregarTexto(titulos, true);
    seccion.primera = m_hoja.filas() + 1;
    for (const QList<DbValue>& fila : filas->rows())
        m_hoja.agregarMontos(fila.value(0).toString().trimmed(), {fila.value(columnaMonto).toCurrency()});
    seccion.ultima = m_hoja.filas();
    seccion.total = m_hoja.agregarSuma(kTotal, seccion.primera, seccion.ultima, {1}, true);
    return seccion;
}

bool VentaTotal::imprimir(const ContextoImpresion& contexto, ColaImpresion& cola) const {
    return ImprimirSpread(contexto, cola, m_hoja, false, false);
}

} // namespace nerin
