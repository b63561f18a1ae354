#pragma once

#include "data/RecordSet.h"
#include "tables/MesasAbiertas.h"

#include <optional>

namespace nerin {

class TerminalContext;

// The rules of the zero-total tables screen (FrmMesasEnCero): the open orders without a live item,
// and closing one of them without payment.
class MesasEnCero {
public:
    using Fila = MesasAbiertas::Fila;

    explicit MesasEnCero(TerminalContext& context);

    // ID_Comanda, Num_Mesa, Nombre_Empleado, Fecha_apertura, Control of every open order none of whose
    // items is live; no value when the database failed (reported).
    std::optional<RecordSet> Llenar_Spread();
    // The order a grid row names (columns 1, 5 and 2).
    static Fila fila(const QList<DbValue>& valores);

    // "Cerrar": closes the order with no guests, only while it is still open, no other employee has it
    // on a screen and none of its items is live, all judged by the closing statement itself. Otherwise
    // the person is told why. True when it was closed.
    bool Cerrar(const Fila& fila);

private:
    TerminalContext& m_context;
};

} // namespace nerin
