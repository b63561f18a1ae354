#pragma once

#include "tables/FrmListaMesas.h"
#include "tables/MesasAbiertas.h"

namespace nerin {

class TerminalContext;

// The open tables (the employee's own, or all with permission 42) to join one into another: "Aceptar"
// on the chosen table opens the table-number keypad in UnirMesas mode for it; without a chosen table
// it says "Seleccione las mesas que desea unir".
class frmUnirMesas : public FrmListaMesas {
public:
    explicit frmUnirMesas(TerminalContext& context, QWidget* parent = nullptr);

    void Llenar_Spread();

private:
    void accion() override;

    TerminalContext& m_context;
    MesasAbiertas m_mesas;
};

} // namespace nerin
