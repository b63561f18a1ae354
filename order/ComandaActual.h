#pragma once

#include "order/CuadriculaComanda.h"

#include <QString>
#include <functional>
#include <optional>

namespace nerin {

class DbValue;
class TerminalContext;

// The account shown on the order screen and everything the screen shows about it: the order's key,
// its account, type, customer and serving time, the lines of the account, the labels and the totals.
// It reads the database; it never adds or stores items (AgregarProducto and GuardarProductos do).
//
// Every operation that fails writes the error marker and its own name to the event log and leaves
// what is shown unchanged.
class ComandaActual {
public:
    explicit ComandaActual(TerminalContext& context);

    // The order key and the account to show, set by whoever opens the screen.
    qint32 IDComanda = 0;
    qint16 Control = 0;
    qint16 NumCuenta = 1;
    QString Tipo;
    QString mesa; // the table number as the tables screens give it
    double cliente = 0;
    bool variasCuentas = false;
    bool puedeDividir = false;    // permission 40
    bool puedeAbrirMesa = false;  // permission 36
    bool puedeVerTiempos = false; // permission 63
    // True while the screen waits on something modal of its own; the store step does not run on
    // deactivation meanwhile.
    bool modal = false;

    // Texts of the screen's labels.
    QString lblEmpleado, lblMesa, lblTiempo, lblHuespedes, lblTotal, lblTotalUS;

    // Loads the employee, the account (the one set when the order has it, else its lowest), the serving time,
    // the type, the customer, whether there are several accounts and the permissions; the default submenu of
    // the terminal comes back (0 without one).
    std::optional<qint32> DatosEmpleado();
    // Reads the account's lines, the guests and the table, and the totals.
    bool MostrarProductosComandaActual();
    void CalculaTotal();
    // The account's serving time; 0 is taken as 1.
    qint16 getTiempoActual() const { return m_tiempo < 1 ? qint16{1} : m_tiempo; }
    // The serving time chosen for the items that follow; the time label shows it.
    void setTiempoActual(qint16 tiempo);

    // Moves to the employee's next (or previous) open order. Pending items are stored first through
    // `guardarPendientes`; the new order is taken and then the old one released. False when there is
    // no such order, the pending items could not be stored, or another employee holds it ("Mesa en uso
    // por " and who): the screen stays on this order, which stays locked.
    bool moverMesa(bool siguiente, const std::function<bool()>& guardarPendientes);

    // Changes the guests with permission 64, asking on the numeric keypad. False when not allowed,
    // cancelled or not stored.
    bool cambiarHuespedes();

    // For a customer order (type "O"), asks for the customer and keeps it on the account; "Cliente no
    // valido!" for one that is not valid. False when no customer was stored.
    bool DatosCliente();

    // The checks before the account is printed: the guests are asked for when there are none, and an
    // account printed more often than the restaurant allows needs permission 44. True when it may be
    // printed.
    bool puedeImprimirCuenta();

    // Releases the order for other terminals: the one shown, or the one given.
    void liberar();
    void liberar(qint32 idComanda);

    CuadriculaComanda& cuadricula() { return m_cuadricula; }
    const CuadriculaComanda& cuadricula() const { return m_cuadricula; }
    TerminalContext& context() { return m_context; }

    // The error marker, the operation's name and the database's last failure to the event log.
    void registrarError(const QString& operacion);

private:
    DbValue primerValor(const QString& sql, bool* ok);
    // Reads the account's serving time, the order's type and customer and whether it has several
    // accounts; false when the database failed.
    bool leerCuenta();
    // Asks for the guests on the numeric keypad and stores them.
    bool pedirHuespedes();

    TerminalContext& m_context;
    CuadriculaComanda m_cuadricula;
    qint16 m_tiempo = 1;
};

} // namespace nerin
