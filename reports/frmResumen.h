#pragma once

#include "reports/PantallaResumen.h"
#include "reports/ResumenPagos.h"

class QPushButton;

namespace nerin {

class TerminalContext;

// The payment summary of the signed-in employee (see ResumenPagos), with its charts. `optPagos` hides
// the tip column and `optPropinas` shows it; "Imprimir" prints the grid as shown.
class frmResumen : public PantallaResumen {
public:
    explicit frmResumen(TerminalContext& context, QWidget* parent = nullptr);

    // Reads the figures again and shows them.
    void Llenar_Spread();

private:
    void verPropinas(bool ver);

    TerminalContext& m_context;
    QPushButton* m_cmdImprimir = nullptr;
    ResumenPagos m_resumen;
};

} // namespace nerin
