#pragma once

#include "tables/MesasAbiertas.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nerin {

class AccessScreen;
class TerminalContext;

// "Mesas abiertas": the waiter's home screen after signing in. A grid of the open tables (the
// employee's own, or all of them with permission 42; blue once their account was printed) and the
// buttons to open a new table, show or pay the selected one, transfer tables, reach the functions menu
// and sign out. The same screen picks the table to transfer (TransferirMesero) or to grant courtesies
// on (AsignarCortesia). It is hidden, not unloaded, while another screen stands in front and between
// sign-ins; each time it is shown it reads the signed-in employee's buttons and the grid again.
class frmMesasAbiertas : public QWidget {
public:
    frmMesasAbiertas(TerminalContext& context, AccessScreen& acceso, QWidget* parent = nullptr);
    ~frmMesasAbiertas() override;

    // Brings the screen to the front in `modo`, as the route to the open-tables screen does; the grid
    // is read again as it shows.
    void mostrar(MesasAbiertas::Modo modo);
    // The modes; false returns to the normal one.
    void setTransferirMesero(bool activo);
    void setAsignarCortesia(bool activo);
    MesasAbiertas::Modo modo() const { return m_modo; }

    // Refills the grid and colours its rows.
    void Llenar_Spread();
    // Enables the buttons by the signed-in employee's permissions and shows the employee's user name;
    // runs each time the screen is shown.
    void DatosEmpleado();

    MesasAbiertas& mesas() { return m_mesas; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void construir();
    void aplicarModo(MesasAbiertas::Modo modo);
    std::optional<MesasAbiertas::Fila> filaActual() const;
    bool hayFilas() const;
    void abrirMesa();
    void verMesa(MesasAbiertas::Accion accion);
    void aceptar();
    void cancelar();
    void transferir();
    void desplazar(int filas);

    TerminalContext& m_context;
    AccessScreen& m_acceso;
    MesasAbiertas m_mesas;
    MesasAbiertas::Modo m_modo = MesasAbiertas::Modo::Normal;
    bool m_recienMostrada = false;
    QList<MesasAbiertas::Fila> m_filas; // the orders of the grid's rows

    QLabel* m_lblTitulo = nullptr;
    QLabel* m_lblEmpleado = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_cmdAbrirMesa = nullptr;
    QPushButton* m_cmdVerMesa = nullptr;
    QPushButton* m_cmdPagar = nullptr;
    QPushButton* m_cmdTransferir = nullptr;
    QPushButton* m_cmdUtilerias = nullptr;
    QPushButton* m_cmdSalir = nullptr;
    QPushButton* m_cmdAceptar = nullptr;
    QPushButton* m_cmdCancelar = nullptr;
};

} // namespace nerin
