#pragma once

#include "reports/CifrasGraficas.h"
#include "reports/HojaResumen.h"

namespace nerin {

class BaseDatos;
class ColaImpresion;
struct ContextoImpresion;

// The day's sales totals of every waiter, as one sheet of two columns (a caption and a figure):
//
//   row 1       "           Resumen Ventas"
//   row 2       the working date, dd/mm/yyyy
//   row 3       empty
//   rows 4-11   the figure block (kClientes.. kVentasNetas):
//               TOTAL CLIENTES       the guests of the day's orders (a count)
//               TOTAL CUBIERTOS      the orders served (a count)
//               TOTAL VENTAS         what the live items were charged, tax included
//               TOTAL IMPUESTO       the tax in it
//               TOTAL DE TARJETAS    the card payments, without their tips
//               TOTAL DE PROPINAS    every tip, on cards and in cash
//               BALANCE DE EFECTIVO  the cash payments without their tips: the cash that belongs to
//                                    the house, as the payment summary's BALANCE rows show it
//               Ventas Netas         TOTAL VENTAS less TOTAL IMPUESTO: the sales before tax
//   then three sections, each after an empty row: "Ventas" (the charged total per category), "Total
//   Pagos" (amount plus tip per payment type) and "Cortesias" (per courtesy type). A section is its
//   name, a row of column captions, one row per item and a "TOTAL:" row that adds up its items.
//
// A day without orders, payments or courtesies gives zero figures and sections of their total row only:
// sums over nothing and missing sums are 0.00.
//
// The charts' payment-type bars are the "Total Pagos" rows; the hours and weeks count every waiter.
class VentaTotal {
public:
    enum Fila {
        kTitulo = 1,
        kFecha,
        kClientes = 4,
        kCubiertos,
        kVentas,
        kImpuesto,
        kTarjetas,
        kPropinas,
        kEfectivo,
        kVentasNetas
    };
    // A section's rows: its name, captions, first and last item and total (last < first when empty).
    struct Seccion {
        int nombre = 0, primera = 0, ultima = 0, total = 0;
    };

    explicit VentaTotal(BaseDatos& baseDatos);

    // Reads the day's figures and builds the sheet and the charts' figures. False when the database
    // failed (already reported); the sheet then holds what was read before.
    bool cargar();

    const HojaResumen& hoja() const { return m_hoja; }
    const CifrasGraficas& cifras() const { return m_cifras; }
    Seccion ventas() const { return m_ventas; }
    Seccion pagos() const { return m_pagos; }
    Seccion cortesias() const { return m_cortesias; }

    // Prints the sheet as it is shown, cutting long cells, without column titles.
    bool imprimir(const ContextoImpresion& contexto, ColaImpresion& cola) const;

private:
    // Appends a section of `filas` (caption, amount in column `columnaMonto`).
    std::optional<Seccion> seccion(const QString& nombre, const QStringList& titulos, const QString& sql,
                                   int columnaMonto);

    BaseDatos& m_baseDatos;
    HojaResumen m_hoja;
    CifrasGraficas m_cifras;
    Seccion m_ventas, m_pagos, m_cortesias;
};

} // namespace nerin
