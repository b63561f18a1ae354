#pragma once

#include "data/RecordSet.h"
#include "tables/MesasAbiertas.h"
#include "tables/OcupacionMesa.h"

#include <optional>

namespace nerin {

class TerminalContext;

// The rules of the reopening screen (FrmReabrirMesa): the orders closed on the working date, and
// reopening one of them.
class ReabrirMesa {
public:
    using Fila = MesasAbiertas::Fila; // columns 1, 2 and 3 of Vw_MesasCerradas

    explicit ReabrirMesa(TerminalContext& context);

    // The closed orders (Vw_MesasCerradas); no value when the database failed (reported).
    std::optional<RecordSet> Llenar_Spread();

    // "Aceptar": reopens the order, leaving its payments and paid marks as they are, and says "Mesa N
    // reabierta". A dining-room table whose number another open order carries meanwhile is refused as
    // opening a table refuses it; the check is part of the reopening statement. True when reopened.
    bool Aceptar(const Fila& fila);

private:
    TerminalContext& m_context;
    OcupacionMesa m_ocupacion;
};

} // namespace nerin
