#pragma once

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// The functions menu's print test: one "P" job for every active printer, holding the lines
// "<H>PRUEBA IMPRESION</H>" and the printer's name in bold. Returns how many jobs were queued; a
// printer whose job could not be queued whole is written to the event log and the others still get
// theirs.
int PruebaImpresion(const ContextoImpresion& contexto, ColaImpresion& cola);

} // namespace nerin
