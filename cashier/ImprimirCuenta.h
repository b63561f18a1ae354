#pragma once

#include "text/Currency.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class ColaImpresion;
class TerminalContext;
struct ContextoImpresion;

// The account ticket: the customer's bill for one account of one order, composed from the database and
// handed to the print queue as a "T" job for the terminal's ticket printer. The terminal function flags
// switch its optional parts: 10 the total in dollars, 13 the address from parameters, 16 the contest
// block and the periodic footer, 19 the loyalty block, 23 the subtotal and tax lines, 24 item lines at
// the gross price plus tax, 25 the waiter shown by number.
//
// Without a ticket printer the user is told "No hay definidas impresoras locales en esta terminal" and
// nothing is queued. When the database fails while the ticket is composed, the user is told "Error al
// imprimir el ticket: " + the failure, the event log gets it under "Imprimir ticket", and the job opened
// so far is left unclosed, so it never prints. Returns true when the whole ticket was queued.
bool ImprimirCuenta(TerminalContext& context, ColaImpresion& cola, qint32 idComanda, qint16 numCuenta,
                    qint16 control, bool conPagos);

// The header of the ticket (address, folio, waiter, date, table, time, guests, customer, reprints),
// appended to open job `trabajo`. False when it could not be composed or queued; the failure is left
// for the caller to report.
bool EncabezadoCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                      qint16 control, qint16 numCuenta);

// Everything between the items and the payments (subtotal and tax, discounts, total, dollars, the total
// in words, the loyalty block, the charges to house accounts), appended to open job `trabajo`.
// `subtotal` and `impuesto` are the sums of the item lines. False as EncabezadoCuenta.
bool TotalesCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, Currency subtotal,
                   Currency impuesto, qint32 idComanda, qint16 control, qint16 numCuenta);

// The invoice's consumption summary ("Consumo :", "% IVA :", "Total :" and the total in words),
// appended to open job `trabajo`. False as EncabezadoCuenta.
bool ResumenConsumo(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                    qint16 control, qint16 numCuenta);
// The lines ResumenConsumo appends, for a caller that queues them with lines of its own. None when the
// account could not be read, which is then reported as ResumenConsumo reports it.
std::optional<QStringList> LineasResumenConsumo(TerminalContext& context, qint32 idComanda, qint16 control,
                                                qint16 numCuenta);

// The parts of the ticket that depend only on values, for the composing operations above. No amount is
// ever cut or split over two lines: where an amount is longer than its column, the column widens and
// the label beside it gets less room.
namespace LineasTicket {
struct Pago {
    QString tipo;
    Currency monto;
    Currency propina;
};

// A line of `ancho` columns ending in `importe`, right-aligned in `columna` columns or, when it is
// longer, in its own length plus one space; `etiqueta` is aligned by `alineacion` (AlinearTexto) in
// the columns left before it and cut when it does not fit.
QString conImporte(const QString& etiqueta, int alineacion, const QString& importe, int columna, int ancho);
// One item line: the name, "(" + quantity + "X" + unit price + ")" when the quantity is above 1, in 25
// columns, then the amount "0.00" right-aligned in the rest of the width.
QString producto(const QString& nombre, qint64 cantidad, const QString& precioUnitario, Currency importe,
                 int ancho);
// The total line for `suma`, the exact sum of the account's lines: "<N><H><B>Total " and "$" + the sum
// to cents right-aligned in ten columns. Where the price rounding rule makes the amount to pay
// different from it (100.05 is paid as 100.00), a second line "Total a pagar" follows with that
// amount, both amounts ending in the same column.
QString total(Currency suma);
// The total in dollars.
QString dolares(Currency dolares);
// W/n rounded to the nearest whole number, halves to even, as every column width of the ticket.
int columna(int ancho, int partes);
// The payments block's title and one line per payment, in three columns of W/3: the type's name,
// "$" + amount and "$" + tip. The last column ends at the ticket's width; an amount column widens to
// its longest amount, taking the room from the type's name.
QStringList pagos(const QList<Pago>& pagos, int ancho);
// The coupon code of the periodic footer: store, server time "mmddhh", last five digits of the order.
QString codigoCupon(const QString& store, const QString& horaMMDDHH, qint32 idComanda);
// The contest block's lines.
QStringList concurso();
} // namespace LineasTicket

} // namespace nerin
