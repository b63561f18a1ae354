#include "loyalty/LealtadTerminal.h"

#include "startup/TerminalContext.h"

namespace nerin {

LealtadTerminal::LealtadTerminal(TerminalContext& context)
    : m_servicio(context.urlLealtad, context.esperaServicio()),
      m_firma(FirmaTransaccion::deLaTerminal(context)),
      m_lealtad(context.prompts(), m_servicio, *m_firma, [&context] { return context.ahora().date(); }) {}

} // namespace nerin
