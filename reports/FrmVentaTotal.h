#pragma once

#include "reports/PantallaResumen.h"
#include "reports/VentaTotal.h"

class QPushButton;

namespace nerin {

class TerminalContext;

// The day's sales totals of every waiter (see VentaTotal), with their charts; "Imprimir" prints the
// sheet.
class FrmVentaTotal : public PantallaResumen {
public:
    explicit FrmVentaTotal(TerminalContext& context, QWidget* parent = nullptr);

    // Reads the figures again and shows them.
    void Llenar_Spread();

private:
    TerminalContext& m_context;
    QPushButton* m_cmdImprimir = nullptr;
    VentaTotal m_ventaTotal;
};

} // namespace nerin
