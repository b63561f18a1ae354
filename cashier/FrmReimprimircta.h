#pragma once

#include "cashier/ReimprimirCta.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

class TerminalContext;

// The reprint screen: the accounts the signed-in employee may reprint (see ReimprimirCta), newest
// first. "Aceptar" reprints the chosen account and closes the screen, and does nothing without a
// chosen row; "Cancelar" closes it; "Salir" closes it for the caller to sign the employee out.
class FrmReimprimircta : public ModalScreen {
public:
    explicit FrmReimprimircta(TerminalContext& context, QWidget* parent = nullptr);

    // Whether the person left with "Salir".
    bool salir() const { return m_salir; }

private:
    void Llenar_Spread();
    void aceptar();

    ReimprimirCta m_reimprimir;
    QTableWidget* m_grdCuentas;
    RecordSet m_filas;
    bool m_salir = false;
};

} // namespace nerin
