#pragma once

#include "tables/FrmListaMesas.h"
#include "tables/ReabrirMesa.h"

namespace nerin {

class TerminalContext;

// The tables closed on the working date; "Aceptar" reopens the chosen one (see ReabrirMesa).
class FrmReabrirMesa : public FrmListaMesas {
public:
    explicit FrmReabrirMesa(TerminalContext& context, QWidget* parent = nullptr);

    void Llenar_Spread();

private:
    void accion() override;

    ReabrirMesa m_reabrir;
};

} // namespace nerin
