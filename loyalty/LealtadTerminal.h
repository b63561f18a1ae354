#pragma once

#include "loyalty/FirmaTransaccion.h"
#include "loyalty/clsLealtad.h"
#include "loyalty/clsWebService.h"

#include <memory>

namespace nerin {

class TerminalContext;

// A loyalty request as this terminal makes it: the service at the terminal's address behind its wait
// window, transactions signed as the terminal's settings say and dated by the terminal's clock.
class LealtadTerminal {
public:
    explicit LealtadTerminal(TerminalContext& context);

    clsLealtad& lealtad() { return m_lealtad; }

private:
    clsWebService m_servicio;
    std::unique_ptr<FirmaTransaccion> m_firma;
    clsLealtad m_lealtad;
};

} // namespace nerin
