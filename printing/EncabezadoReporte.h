#pragma once

#include <QString>

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// Appends the report header to open job `trabajo`: the restaurant's name and address, then who printed
// it and when ("Impreso por: ", "Impreso el: " dd/mmm/yyyy, "Impreso a las: " hh:mm:ss AM/PM, server
// time), every line centred in the ticket width by padding on the left.
//
// The address comes from the company named by parameter CVEEMPRESA (table Empresas), sent as one line
// of several separated by carriage return and line feed, a value as wide as the ticket or wider
// continuing centred on a second line; or, with terminal function 13, from the address parameters
// (SUCURSAL, DIRECCIONCALLE, DIRECCIONCALLE2, DIRECCIONCOL, DIRECCIONDEL, DIRECCIONCP, DIRECCIONEYC,
// RFC), one line each, empty ones left out, followed by the notice "* COLUMNAS MAXIMAS SON " + width
// when any of them is wider than the ticket. False when a line could not be added.
bool EncabezadoReporte(const ContextoImpresion& contexto, ColaImpresion& cola, qint32 trabajo,
                       qint32 idEmpleado);

// `texto` centred in `ancho` columns by padding on the left with half the room, rounded to the nearest
// whole number, halves to even; a text as wide or wider is returned unchanged.
QString CentrarEncabezado(const QString& texto, int ancho);

} // namespace nerin
