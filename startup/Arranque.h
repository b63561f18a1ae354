#pragma once

#include "base/Status.h"

#include <QString>

namespace nerin {

class AccessScreen;
class DbValue;
class TerminalContext;

// The terminal's start-up sequence (Main): opens the database, checks that this terminal is known
// and that the working date is consistent, loads the run-wide values into the context, lets the
// cashier confirm the exchange rate where the terminal has that function, leaves the marker file and
// shows the access screen.
class Arranque {
public:
    // `carpetaEstado` is where the marker file "Nerin.up" is left (the state root in the program).
    Arranque(TerminalContext& context, AccessScreen& acceso, QString carpetaEstado);

    // Ok once the access screen is shown, with or without a server. An error when the terminal must
    // end (terminal 0, a terminal unknown to the database, a working date ahead of the newest order):
    // the person has been told, the connection is closed and the access screen was not shown; the
    // program ends with a failure exit.
    Status run();

    // The rest of start-up once the access screen's server search reached the server that run() could
    // not: reads the settings again and loads the run-wide values as run() does after connecting. Ok
    // when the terminal may go on; an error when it must end, as with run() (the person has been told
    // and the connection is closed).
    Status continuar(const QString& servidor);

    // The marker file's path.
    QString markerFile() const;

private:
    // Everything after the connection opened, up to the marker file.
    Status cargar();
    DbValue parametro(const QString& campo, const QString& condicion);
    Status terminar(const QString& mensaje, int estilo, bool shutDown);
    QString fechaUltimaComanda();
    // Signs out whoever a terminal that went down left signed in here, and frees their orders.
    void liberarFirmados(const QString& terminal);
    void cargarFunciones();
    void confirmarTipoCambio();
    void dejarMarca();
    void mostrarAcceso();

    TerminalContext& m_context;
    AccessScreen& m_acceso;
    QString m_carpetaEstado;
};

} // namespace nerin
