#pragma once

#include "cashier/FacturaCuenta.h"
#include "ui/ModalScreen.h"

#include <array>

class QLineEdit;

namespace nerin {

class TerminalContext;

// The invoice screen of one paid account: the customer's key, R.F.C., company name and three address
// lines, each text with an edit key that opens the text keyboard (touching the field does the same),
// searches by R.F.C. and by key, and "Nuevo", "Aceptar", "Imprimir", "Cancelar". The rules are
// FacturaCuenta's; only "Cancelar" closes the screen.
class frmFacturas : public ModalScreen {
public:
    frmFacturas(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta,
                QWidget* parent = nullptr);

    FacturaCuenta& factura() { return m_factura; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mostrarCliente();
    void editar(FacturaCuenta::Campo campo);

    TerminalContext& m_context;
    FacturaCuenta m_factura;
    QLineEdit* m_txtCveCliente;
    // The text fields, in the order of FacturaCuenta::Campo.
    std::array<QLineEdit*, 5> m_campos{};
};

} // namespace nerin
