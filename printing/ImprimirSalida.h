#pragma once

#include <QtGlobal>

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// The clock-out report for the working date, an "R" document on the terminal's ticket printer: the
// signed-in user, the date, the employee's number of clock-in entries and hours worked, and each
// entry with its department, start, end and hours (Vw_DetalleHoras). Hours are minutes / 60 to two
// decimals without trailing zeros (90 minutes print "1.5"); a shift still open prints no end.
//
// True when the job was queued whole. Without a ticket printer the user is told
// ("No existe la impresora local de tickets") and nothing is queued. A statement that fails is written
// to the event log under "ImprimirSalida" and nothing prints: a failed query queues no job, and a job
// that could not be queued whole is left unclosed.
bool ImprimirSalida(const ContextoImpresion& contexto, ColaImpresion& cola, qint16 idEmpleado);

} // namespace nerin
