#pragma once

#include <QtGlobal>

namespace nerin {

class ColaImpresion;
class TerminalContext;

// The closing report of employee `idEmpleado` (ImprimirVerificacion), refused while that employee
// still holds open tables: the person is told "Tiene mesas abiertas, cierre todas sus mesas!" and
// nothing is queued. The open tables are counted in Vw_MesasAbiertas; when that count cannot be read
// (the failure is reported) nothing is printed either, since the refusal could not be decided.
// True when the report was queued.
bool VerificacionEmpleado(TerminalContext& context, ColaImpresion& cola, qint16 idEmpleado);

} // namespace nerin
