#pragma once

#include <QtGlobal>

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// The waiter's closing report for the working date, a "T" document on the terminal's ticket printer:
// the employee's name and the date; tables, guests, sales and tip figures from Vw_ControlPropina (the
// nine labels with "0" when the employee sold nothing); the payments summed by payment type
// (Vw_Resumen_Pagos) and each payment taken (Vw_Ajuste_Pagos). Amounts print with two decimals, counts
// and the two sales figures in whole units.
//
// True when the job was queued whole. Without a ticket printer the user is told
// ("No existe la impresora local de tickets") and nothing is queued. A statement that fails is written
// to the event log under "ImprimirVerificacion" and nothing prints: a failed query queues no job, and a job
// that could not be queued whole is left unclosed.
bool ImprimirVerificacion(const ContextoImpresion& contexto, ColaImpresion& cola, qint16 idEmpleado);

} // namespace nerin
