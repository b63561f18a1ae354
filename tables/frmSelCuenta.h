#pragma once

#include "tables/CuentasComanda.h"
#include "ui/ModalScreen.h"

#include <optional>

class QPushButton;
class QTableWidget;

namespace nerin {

class TerminalContext;

// The account chooser of an order with several accounts: touching an account shows what it holds and
// selects it; "Ver" closes the screen with the selected account chosen; "Cancelar" closes it with
// none. With "Unir" on (permission 62), touching a second account joins it into the selected one.
class frmSelCuenta : public ModalScreen {
public:
    frmSelCuenta(TerminalContext& context, qint32 Comanda, qint16 Control, QWidget* parent = nullptr);

    // The account "Ver" chose; none when the screen was left another way.
    std::optional<qint16> elegida() const { return m_elegida; }
    // The order's table number, as read when the screen was loaded.
    qint32 mesa() const { return m_mesa; }

private:
    void llenar();
    void tocar(int fila);
    void mostrarContenido();

    CuentasComanda m_cuentas;
    QList<qint16> m_lista;
    std::optional<qint16> m_seleccionada;
    std::optional<qint16> m_elegida;
    qint32 m_mesa;
    QTableWidget* m_grdCuentas;
    QTableWidget* m_grdArticulos;
    QPushButton* m_cmdUnir;
};

} // namespace nerin
