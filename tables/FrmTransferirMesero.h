#pragma once

#include "data/RecordSet.h"
#include "tables/MesasAbiertas.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

class TerminalContext;

// The waiters an order can be handed to (Vw_EmpleadosDisponibles), in a grid with arrow keys.
// "Aceptar" hands the order to the chosen waiter (see TransferirMesa::aMesero) and closes;
// "Cancelar" closes.
class FrmTransferirMesero : public ModalScreen {
public:
    FrmTransferirMesero(TerminalContext& context, const MesasAbiertas::Fila& origen,
                        QWidget* parent = nullptr);

private:
    void aceptar();

    TerminalContext& m_context;
    MesasAbiertas::Fila m_origen;
    RecordSet m_meseros;
    QTableWidget* m_grdMeseros;
};

} // namespace nerin
