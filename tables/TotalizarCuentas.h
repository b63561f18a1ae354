#pragma once

#include <QtGlobal>

namespace nerin {

class TransaccionBD;

// Recalculates, inside `tx`, the total of every account of the order (`idComanda`, `control`): after
// items or payments move between accounts, any of them may have changed. False when a statement
// failed; the transaction then holds the failure.
bool totalizarCuentas(TransaccionBD& tx, qint32 idComanda, qint32 control);

} // namespace nerin
