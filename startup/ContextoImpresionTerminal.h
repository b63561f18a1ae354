#pragma once

#include "printing/ContextoImpresion.h"

namespace nerin {

class TerminalContext;

// The printing context of the terminal's documents, made from the terminal's run-wide values and the
// signed-in session at the moment of the call. The context refers to the terminal's services, which
// must outlive it.
ContextoImpresion contextoImpresion(TerminalContext& context);

} // namespace nerin
