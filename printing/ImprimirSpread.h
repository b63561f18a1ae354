#pragma once

namespace nerin {

class ColaImpresion;
class PrintableGrid;
struct ContextoImpresion;

// Prints the visible contents of a grid as a "T" document on the terminal's ticket printer, under the
// report header (EncabezadoReporte). Each visible column gets an equal share of the ticket width, one
// space reserved before each; cells are laid out by type (amounts and percentages to the right, dates
// and times bold to the right, buttons and title cells bold, other text trimmed to the left) and
// printed large when their font is above 14 points, extra-large above 18. A cell longer than its
// column is cut, or with `ajustar` given as many whole columns as it needs; a row so widened past the
// ticket's width goes on over further lines, each cell it displaced starting a line under its own
// column. With `conTitulos` the column-title rows are printed too, in bold. A row with nothing visible
// prints as an empty line.
//
// True when the job was queued whole. Without a ticket printer the user is told
// ("No hay definidas impresoras locales en esta terminal") and nothing is queued; a failure halfway is
// written to the event log and leaves the job unclosed, so it never prints.
bool ImprimirSpread(const ContextoImpresion& contexto, ColaImpresion& cola, const PrintableGrid& grid,
                    bool ajustar, bool conTitulos);

} // namespace nerin
