#pragma once

#include "order/AgregarProducto.h"
#include "order/Anulacion.h"
#include "order/ComandaActual.h"
#include "order/Despacho.h"
#include "order/GuardarProductos.h"
#include "order/MenuProductos.h"
#include "order/Modificadores.h"
#include "order/Paquetes.h"
#include "startup/Navegacion.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace nerin {

class AccessScreen;
class GridComanda;
class PanelCuenta;
class PanelProductos;

// The order screen: one account of one open order, its lines and totals, the menu's buttons, and
// the ways to other tables and screens. The order stays locked for other terminals while it is
// shown; every way out releases it, and items added but not stored are stored first. When they
// cannot be stored the screen stays on the order with the lines still shown, and the way out is not
// taken.
class frmComanda : public QWidget {
public:
    frmComanda(TerminalContext& context, AccessScreen& acceso, QWidget* parent = nullptr);
    ~frmComanda() override;

    // Shows an order: sets its key, enters it (DatosEmpleado), shows its account and the screen.
    void abrir(const Navegacion::Orden& orden, const QString& mesa);
    void MostrarProductosComandaActual();
    // Stores the lines not stored yet. False when they could not be stored: they stay on screen, unsaved.
    [[nodiscard]] bool GuardarYPrepararNuevos();
    // Adds a product to the account, below the selected line; true when it went on.
    bool agregar(qint32 producto);
    // Stores what is pending and opens the payment screen for the account.
    void Pagar();

    ComandaActual& comanda() { return m_comanda; }
    // Full screen (the default), or a 1024x768 window for development.
    void setPantallaCompleta(bool completa) { m_pantallaCompleta = completa; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void construir();
    QWidget* construirEncabezado();
    QWidget* construirFunciones();
    void mostrarLineas();
    void mostrarEtiquetas();
    void preparar();
    void elegirTiempo();
    void modificar();
    // A modifier pressed on the panel goes under the product selected when it is pressed.
    void agregarModificador(qint32 modificador);
    void mostrarTrasModificar(int fila);
    // Shows the account with the line just added selected.
    void mostrarNueva(int fila);
    // The line just added, selected; the modifier panel opens for a product whose modifiers are
    // asked at once, and closes for any other.
    void mostrarAgregada(const AgregarProducto::Agregada& agregada);
    // The account as the database has it, read again: what was selected and the modifier panel,
    // both about lines that may be gone or moved, are dropped.
    void mostrarCuentaLeida();
    // Stores what is pending and releases the order, before leaving it. False when the pending lines
    // could not be stored: the order is kept and must not be left.
    [[nodiscard]] bool dejarComanda();
    void buscar();
    void codigoDeBarras();
    void multiplicar();
    void repetir();
    void moverMesa(bool siguiente);
    void imprimirCuenta();
    void abrirMesa();
    void otrasCuentas();
    // Splits chosen items of the account into a new account, with permission 40 and no payment taken.
    void dividir();
    void foco();

    TerminalContext& m_context;
    AccessScreen& m_acceso;
    ComandaActual m_comanda;
    AgregarProducto m_agregar;
    GuardarProductos m_guardar;
    MenuProductos m_menu;
    Despacho m_despacho;
    Modificadores m_modificadores;
    Paquetes m_paquetes;
    Anulacion m_anulacion;
    bool m_verTiempos = false;
    bool m_guardando = false;
    bool m_cargada = false;
    bool m_pantallaCompleta = true;

    PanelProductos* m_panel = nullptr;
    PanelCuenta* m_cuenta = nullptr;
    GridComanda* m_grdComanda = nullptr; // the account column's grid
    QLabel* m_lblMesa = nullptr;
    QLabel* m_lblEmpleado = nullptr;
    QLabel* m_lblTiempo = nullptr;
    QLabel* m_lblReloj = nullptr;
    QPushButton* m_lblHuespedes = nullptr;
    QPushButton* m_cmdAbrirMesa = nullptr;
    QPushButton* m_cmdVerTiempos = nullptr;
    QTimer* m_timer1 = nullptr;
};

} // namespace nerin
