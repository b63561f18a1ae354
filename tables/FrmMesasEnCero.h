#pragma once

#include "tables/FrmListaMesas.h"
#include "tables/MesasEnCero.h"

namespace nerin {

class TerminalContext;

// The open tables without a live item; "Cerrar" closes the chosen one without payment (see
// MesasEnCero) and does nothing on an empty list.
class FrmMesasEnCero : public FrmListaMesas {
public:
    explicit FrmMesasEnCero(TerminalContext& context, QWidget* parent = nullptr);

    void Llenar_Spread();

private:
    void accion() override;

    MesasEnCero m_enCero;
};

} // namespace nerin
