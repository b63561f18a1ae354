#pragma once

#include "access/MeserosFirmados.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

// The staff at work: the list of MeserosFirmados in a grid. Touching a row corrects that employee's
// entry time (with clock-in in use); "Desfirmar" releases the employee of the chosen row; the up and
// down keys scroll the list and "Cancelar" closes.
class FrmMeserosFirmados : public ModalScreen {
public:
    explicit FrmMeserosFirmados(TerminalContext& context, QWidget* parent = nullptr);

private:
    void llenar();

    MeserosFirmados m_firmados;
    QTableWidget* m_grdEmpleados;
};

} // namespace nerin
