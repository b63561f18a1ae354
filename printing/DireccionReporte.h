#pragma once

#include <QStringList>

namespace nerin {

struct ContextoImpresion;

// The restaurant's address as the report header and the account ticket print it, as the lines to hand
// to the print queue (quotes not yet doubled), every one centred in the ticket width by padding on the
// left.
//
// Without terminal function 13: one line holding the company's lines (table Empresas, key parameter
// CVEEMPRESA) separated by carriage return and line feed, a value as wide as the ticket or wider cut at
// the width and its rest centred on a line of its own. With it: the address parameters (SUCURSAL,
// DIRECCIONCALLE, DIRECCIONCALLE2, DIRECCIONCOL, DIRECCIONDEL, DIRECCIONCP, DIRECCIONEYC), one line
// each, empty ones left out, then "R.F.C. " + RFC followed by "<N>", then the notice
// "* COLUMNAS MAXIMAS SON " + width when any of them is wider than the ticket.
QStringList DireccionReporte(const ContextoImpresion& contexto);

} // namespace nerin
