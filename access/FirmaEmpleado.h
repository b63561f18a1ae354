#pragma once

#include <QString>
#include <QtGlobal>

namespace nerin {

class TerminalContext;

// Signing an employee in at this terminal with a card: finds the employee, refuses one who works at
// another terminal, sends one who has not clocked in to the clock-in screen, binds the employee to this
// terminal, loads the permissions and opens the next screen. Messages go through the context's
// prompts and screens are opened through its navigation point; when no navigation point is set, no
// screen is opened.
class FirmaEmpleado {
public:
    // How the sign-in of an identified employee ended.
    enum class Entrada {
        Firmado,          // bound to this terminal with the permissions loaded: route next
        FirmadoEnOtra,    // signed in at another terminal ("Está firmado en la terminal " + its name)
        Checador,         // not clocked in: the clock-in screen was opened instead
        SinDepartamentos, // not clocked in and no department to clock into
        Fallo,            // the employee could not be read or bound (reported by the database layer)
    };
    // Where the signed-in employee went.
    enum class Ruta {
        Ninguna,       // no navigation point: nothing was opened
        MesasAbiertas, // the open-tables screen
        Comanda,       // the order screen directly
        Cancelada,     // no screen: the employee declined a new table, or it could not be opened
    };

    static constexpr int kFuncionChecador = 15;
    static constexpr int kFuncionComandaDirecta = 20;
    static constexpr int kPermisoComandaDirecta = 68;
    static constexpr int kPermisoTarjetas = 27;

    explicit FirmaEmpleado(TerminalContext& context) : m_context(context) {}

    // The active employee whose card gave this text (upper-cased first, as the cards are written), or 0
    // after telling the person "Tarjeta inválida".
    qint16 identificar(const QString& tarjeta);

    // Everything between identifying and routing. The context takes the employee's session (id,
    // names, administrator flag and permissions) only when the result is Firmado; otherwise it is
    // left as it was.
    Entrada entrar(qint16 idEmpleado);

    // Opens the screen that follows a sign-in: the open-tables screen, or the order screen for a
    // terminal with function 20 or an employee with permission 68.
    Ruta rutear();

    // Lists the active employees without a card and, when there is any and a manager's card
    // authorises it (permission 27), opens the card registration screen; true when it was opened.
    bool registrarTarjetas();

private:
    bool checador(qint16 idEmpleado, const QString& condicion);

    TerminalContext& m_context;
};

} // namespace nerin
