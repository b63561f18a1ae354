#pragma once

#include <QtGlobal>

namespace nerin {

class TerminalContext;

// The order screen's print of the account being shown: the ticket without payments on the terminal's
// ticket printer, then the account's Num_Impresiones raised by one. Call it after the checks that may
// refuse the print (guests, reprint permission). Returns true when the ticket was queued; a ticket that
// could not be queued has already been reported to the person and does not count as printed.
bool ImprimirCuentaComanda(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta);

// Raises Num_Impresiones of one account: the statement the order screen and the payment screen send
// after a ticket was queued.
bool SumarImpresion(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta);

} // namespace nerin
