#pragma once

#include <QString>

namespace nerin {

class BaseDatos;

// The folio annex suffix of an order opened again at other terminals under the same number: "" for the
// only or the first of them, "-n" for the others, numbering the record of this terminal (`control`)
// the first time it is asked for (Comanda.Num_Anexo, taken by the server procedure Numerar_Anexo, so
// that terminals asking at the same time never share a number). An order without records, or a
// database failure, gives "" (the failure is reported by BaseDatos).
QString AnexoComanda(BaseDatos& baseDatos, qint32 idComanda, qint16 control);

} // namespace nerin
