#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace nerin {

// The one place through which a screen opens another screen that lives in another subsystem. The
// program implements it over the real screens; a route whose screen is not built yet tells the
// person so and does nothing else: the routes that can meet such a screen return false then, and the
// caller stays standing and gives back what it took for the route. Tests record the calls.
class Navegacion {
public:
    // The open-tables screen's modes: the waiter's home screen, picking tables to move to another
    // waiter, and picking the table whose courtesies are managed.
    enum class ModoMesas { Normal, Transferir, Cortesia };

    // An order to show on the order screen.
    struct Orden {
        qint32 idComanda = 0;
        qint32 control = 0;
        qint16 numCuenta = 1;
        QString mesa;       // the table's number as shown
        QString tipo;       // service type of a table just opened ("O", ...); empty for an existing one
        bool pagar = false; // go on to the payment screen for the account
    };

    // What the clock-in screen did before it closed.
    enum class Checada { Ninguna, Entrada, Salida };

    // The modal screens of the functions menu that take nothing and give nothing back.
    enum class Pantalla {
        CambioTarjetas,       // employee cards: the employees whose card may be changed
        PersonalFirmado,      // the staff clocked in or signed in at a terminal
        ArticulosDisponibles, // stock of the products that run out
        AjustePropinas,       // tips and payment types of the day's payments
        RedirigirGrupo,       // redirecting a printer group
        RedirigirImpresoras,  // redirecting one printer
        ArticulosCancelados,  // the items cancelled today
        Reimprimir,           // reprinting a closed account
        ResumenPagos,         // payment summary
        ResumenVentas,        // sales summary
        VentaTotal,           // total sales
        VentasMesero,         // one waiter's sales
        ReporteHuespedes,     // guests per day
        MesasEnCero,          // tables closed with a zero total
        UnirMesas,            // joining two tables
        Sincronizar,          // synchronising the terminals
        Activar,              // activating the terminals
        RegistrarCliente,     // a new loyalty customer
        ReabrirMesa,          // reopening a table closed today
    };

    // A loyalty card accepted in the card window.
    struct TarjetaCliente {
        QString cliente; // the card number, which is also the customer key
        QString nombre;  // the owner's name, and the balances, when the service was asked
        QString puntos;
        QString pesos;
        int tipo = 0; // the customer type the card was written with
    };

    virtual ~Navegacion() = default;

    // The open-tables screen in `modo`, the one that stands after sign-in.
    virtual void mesasAbiertas(ModoMesas modo) = 0;
    // The new-table screen, modal; true when a table was opened (the order screen then stands).
    virtual bool mesaNueva() = 0;
    // The order screen on an order.
    virtual void comanda(const Orden& orden) = 0;
    // The account chooser of an order with several accounts, modal; false when it is not available.
    virtual bool elegirCuenta(qint32 idComanda, qint32 control, bool pagar) = 0;
    // The functions menu; false when it is not available.
    virtual bool funciones() = 0;
    // Moving an open order to another table number or waiter, modal.
    virtual void transferirMesas(qint32 idComanda, qint32 control, qint16 numMesa) = 0;
    // The courtesy screen on an order, modal: returns once it has closed. `titulo` goes before its
    // title label's text. False when it is not available.
    virtual bool cortesias(qint32 idComanda, qint32 control, const QString& titulo) = 0;
    // The clock-in screen for an employee, modal: what it recorded.
    virtual Checada checador(qint16 idEmpleado) = 0;
    // The card registration screen for employees without a card, modal.
    virtual void registroTarjetas() = 0;
    // The payment screen for one account of an order.
    virtual void caja(qint32 idComanda, qint32 control, qint16 numCuenta) = 0;
    // The customer screen, modal: the customer chosen, 0 for one that is not valid, nothing when the
    // screen was closed without a choice.
    virtual std::optional<qint64> elegirCliente() = 0;
    // The loyalty card window titled `titulo`, modal: the card accepted, nothing when cancelled.
    // `enLinea` asks the loyalty service for the card's balance; otherwise the card is only checked.
    virtual std::optional<TarjetaCliente> tarjetaCliente(const QString& titulo, bool enLinea) = 0;
    // One of the functions menu's screens, modal; false when it is not available.
    virtual bool abrir(Pantalla pantalla) = 0;
    // The authorisation window titled `titulo`, modal: true when the next card swiped belongs to an
    // employee who holds permission `permiso`; false when cancelled.
    virtual bool autorizar(int permiso, const QString& titulo) = 0;
    // The same window, for a caller that must know who authorised: the employee whose card was
    // accepted; nothing when cancelled.
    virtual std::optional<qint32> autorizante(int permiso, const QString& titulo) = 0;
};

} // namespace nerin
