#pragma once

#include <QString>

namespace nerin {

class TerminalContext;

// The statement that records `texto` in the database's Bitacora table, under the signed-in employee
// and at the terminal's clock, its quotes doubled. For work that records itself inside its own
// transaction, so that the row stays only when the work is committed.
QString renglonBitacora(const TerminalContext& context, const QString& texto);

} // namespace nerin
