#pragma once

#include "startup/Sesion.h"
#include "text/Currency.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>

namespace nerin {

class AccessScreen;
class BaseDatos;
class Navegacion;
class Bitacora;
class EsperaServicio;
class Platform;
class Prompts;
class TerminalSettings;

// The terminal's run-wide values and services, made once at start-up and passed by reference to
// every screen and domain class that needs them. The values (terminal, server, parameters, function
// flags) are loaded by Arranque and read-only afterwards; only the exchange-rate screen changes the
// rate it stores. Beside them the context holds the signed-in session (Sesion): sign-in hands it
// over and SalirSistema drops it, and everyone else reads it as const, afresh each time, so nothing
// of one employee survives into the next. The context does not own the services it refers to; they
// must outlive it.
class TerminalContext {
public:
    using Reloj = std::function<QDateTime()>;
    static constexpr int kFunctionCount = 25;

    TerminalContext(BaseDatos& baseDatos, Bitacora& bitacora, Prompts& prompts, Platform& platform,
                    TerminalSettings& settings, Reloj reloj = &QDateTime::currentDateTime);

    TerminalContext(const TerminalContext&) = delete;
    TerminalContext& operator=(const TerminalContext&) = delete;

    BaseDatos& baseDatos() { return m_baseDatos; }
    Bitacora& bitacora() { return m_bitacora; }
    Prompts& prompts() { return m_prompts; }
    Platform& platform() { return m_platform; }
    TerminalSettings& settings() { return m_settings; }

    // Whether function `numero` (1..25) is switched on for this terminal; false for other numbers.
    bool funcion(int numero) const;
    void setFuncion(int numero, bool on);
    void clearFunciones() { m_funciones.fill(false); }

    // The employee signed in at this terminal; an empty session while nobody is.
    const Sesion& sesion() const { return m_sesion; }
    // Sign-in only: the session of the employee just bound to this terminal.
    void iniciarSesion(Sesion sesion) { m_sesion = std::move(sesion); }

    // Where screens go to open another screen. Set once by the program after the screens exist;
    // until then (and in tests that set none) a route does nothing.
    Navegacion* navegacion() { return m_navegacion; }
    void setNavegacion(Navegacion* navegacion) { m_navegacion = navegacion; }

    // What a person sees while the terminal waits for the loyalty service. Set by the program; null
    // (no window) in tests that set none.
    EsperaServicio* esperaServicio() { return m_esperaServicio; }
    void setEsperaServicio(EsperaServicio* espera) { m_esperaServicio = espera; }

    // The message window: `estilo` as the standard message-box values; the answer as 1/2/6/7.
    int Mensaje(const QString& texto, int estilo);
    // The database server's date and time, or the terminal's clock when the server gives none.
    QDateTime HoraServidor();
    // The terminal's own clock (tests set it).
    QDateTime ahora() const { return m_reloj(); }
    // The machine's name, up to 255 characters, or "".
    QString NombreEquipo();
    // Ends the signed-in employee's work and returns to the access screen: logs the calling screen,
    // releases the employee's orders and the employee's terminal binding, drops the session, then
    // hands over to the access screen. Database errors here are reported by BaseDatos and otherwise
    // ignored.
    void SalirSistema(AccessScreen& acceso, const QString& screenName, bool unload);

    QString servidor;
    bool servidorEncontrado = false;
    qint16 terminal = 1;
    qint16 concepto = 0;
    qint16 sucursal = 0;
    QString nombreSucursal;
    QString urlLealtad;
    qint16 cveEmpresa = 0;
    qint32 tiempoInact = 0; // milliseconds
    qint16 cuentaTicket = 1;
    QString store;
    qint16 anchoTicket = 32;
    qint16 impresoraCheques = 0; // the cheque printer's redirection; 0 without one
    QString direccionServidor;
    Currency tipoCambio; // dollars, TC_US

private:
    BaseDatos& m_baseDatos;
    Bitacora& m_bitacora;
    Prompts& m_prompts;
    Platform& m_platform;
    TerminalSettings& m_settings;
    Reloj m_reloj;
    std::array<bool, kFunctionCount> m_funciones{};
    Sesion m_sesion;
    Navegacion* m_navegacion = nullptr;
    EsperaServicio* m_esperaServicio = nullptr;
};

} // namespace nerin
