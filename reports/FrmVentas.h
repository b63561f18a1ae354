#pragma once

#include "reports/PantallaResumen.h"
#include "reports/VentasMesero.h"

namespace nerin {

class TerminalContext;

// The sales of one waiter (VentasMesero) on a summary screen, with the verification key
// (`cmdVerificacion`), enabled by the signed-in employee's permission 46, that prints the closing
// report of the waiter shown.
class FrmVentas : public PantallaResumen {
public:
    FrmVentas(TerminalContext& context, VentasMesero::Mesero mesero, QWidget* parent = nullptr);

private:
    VentasMesero m_ventas;
};

} // namespace nerin
