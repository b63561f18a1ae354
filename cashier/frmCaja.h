#pragma once

#include "cashier/CajaCuenta.h"
#include "ui/ModalScreen.h"

#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nerin {

class AbonoLealtad;
class Facturacion;
class TerminalContext;

// The payment screen of one account: the payments grid ("MONTO CUENTA", the payments stored, the new
// ones), the totals panel (total, paid, change, tax ratio), the payment type buttons three to a row
// with two scroll keys, the guests, the loyalty customer with the key that takes a customer's card, and
// "Aceptar", "Cancelar", "Borrar". The rules are CajaCuenta's.
class frmCaja : public ModalScreen {
public:
    static constexpr int kFilasTipos = 2; // rows of payment type buttons shown at a time

    frmCaja(TerminalContext& context, Facturacion& facturacion, AbonoLealtad& lealtad,
            QWidget* parent = nullptr);

    void setNumero_Comanda(qint32 idComanda);
    void setNumero_Control(qint16 control);
    void setNumero_Cuenta(qint16 numCuenta);
    bool getCancelado() const { return m_caja.getCancelado(); }

    CajaCuenta& caja() { return m_caja; }

protected:
    void reject() override;

private:
    void mostrarCuenta();
    void mostrarTipos();
    void elegirTipo(int boton);
    void aceptar();
    void borrar();
    void tarjetaCliente();
    void mostrarCliente();

    TerminalContext& m_context;
    CajaCuenta m_caja;
    QTableWidget* m_grdPagos;
    QTableWidget* m_grdTotales;
    QPushButton* m_lblHuespedes;
    QLabel* m_lblCliente;
    QPushButton* m_cmdAceptar;
    QList<QPushButton*> m_tipos;
    int m_primeraFilaTipos = 0;
    // For each row of the payments grid, the new payment it belongs to, or -1.
    QList<int> m_filaPago;
};

} // namespace nerin
