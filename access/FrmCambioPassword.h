#pragma once

#include "access/CambioTarjeta.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

class CardReader;
class TerminalContext;

// The employees whose card may be changed. Touching one opens the new-card screen for that
// employee. "Mesas" closes the list for the open tables (irAMesas), "Utilerías" closes it back to the
// menu underneath, "Cancelar" closes it. The access screen's list of employees without a card has
// neither of the first two, since nobody is signed in there, and drops each employee once given a
// card.
class FrmCambioPassword : public ModalScreen {
public:
    // `lector` is handed to the new-card screen; optional.
    FrmCambioPassword(TerminalContext& context, CambioTarjeta::Lista lista, QWidget* parent = nullptr,
                      CardReader* lector = nullptr);

    // True when the list was closed with "Mesas".
    bool irAMesas() const { return m_irAMesas; }

private:
    void llenar();
    void elegir(int fila);

    TerminalContext& m_context;
    CambioTarjeta m_cambio;
    CambioTarjeta::Lista m_lista;
    CardReader* m_lector;
    RecordSet m_empleados;
    QTableWidget* m_grdEmpleados;
    bool m_irAMesas = false;
};

} // namespace nerin
