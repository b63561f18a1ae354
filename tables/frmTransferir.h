#pragma once

#include "tables/MesasAbiertas.h"
#include "ui/ModalScreen.h"

namespace nerin {

class TerminalContext;

// The transfer chooser of the open-tables screen, for its selected order: "Mesa" moves it to another
// table number (FrmTransferirMesa), "Mesero" hands it to another waiter (FrmTransferirMesero),
// "Cancelar" closes. It closes once the chosen screen has closed.
class frmTransferir : public ModalScreen {
public:
    frmTransferir(TerminalContext& context, const MesasAbiertas::Fila& origen, QWidget* parent = nullptr);

private:
    TerminalContext& m_context;
    MesasAbiertas::Fila m_origen;
};

} // namespace nerin
