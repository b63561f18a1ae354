#pragma once

#include "base/Status.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace nerin {

class AccessScreen;
class TerminalContext;

// The rules of the access screen apart from signing in: the texts of its labels, the rows of its two
// grids, the automatic day end and the restart requests that the server posts for this terminal, and
// the search for a server when none was found at start-up. The screen shows what this returns.
class AccesoDisplay {
public:
    using Reloj = std::function<QDateTime()>;
    using Filas = QList<QStringList>;

    // What a refresh asked of the terminal besides showing its texts.
    enum class Accion { Ninguna, FinDia, Reinicio };

    // One refresh of the screen (the refresh timer's tick).
    struct Refresco {
        QString fecha;    // the working-date and clock label
        Filas terminales; // inactive terminals
        Filas impresoras; // redirected printers
        Accion accion = Accion::Ninguna;
    };

    // How one try of the server search ended. TerminalInvalida: the server answered but this terminal
    // cannot work with it (terminal 0, or start-up refused it); the program ends.
    enum class Busqueda { SinNombre, TerminalInvalida, Encontrado, NoResponde };

    // `terminarPrograma` ends the process (it does not return in the real program); it is called after
    // the day end asked the machine to restart, and when the server search finds a terminal that cannot
    // work. `continuarArranque` finishes start-up once the search found the server (Arranque::continuar).
    AccesoDisplay(TerminalContext& context, Reloj reloj, std::function<void()> terminarPrograma,
                  std::function<Status(const QString& servidor)> continuarArranque = {});

    // "Nombre_Terminal" of this terminal; "" when the terminal is unknown or no server answers.
    QString nombreTerminal();
    // `titulo` + " " + `numeros` + " (" + `mesero` + ")": the version label.
    static QString version(const QString& titulo, const QString& numeros, const QString& mesero);
    // "Trabajo: dd mmm yy      Sistema: dd mmm yy   hh:mm"; an unknown working date leaves its part
    // empty.
    static QString etiquetaFecha(const std::optional<QDate>& trabajo, const QDateTime& ahora);
    // True when the working date lies before today and at least 30 hours have passed since it began:
    // from 06:00 on the morning after a working day.
    static bool venceDia(const QDate& trabajo, const QDateTime& ahora);

    // The working date from Vw_FechaTrabajo ("ddmmyyyy"); none when missing or malformed.
    std::optional<QDate> fechaTrabajo();
    // Whether the server asked this terminal to restart (Terminal.Reiniciar).
    bool reinicioPedido();
    // Rows for the grids: each row as the columns of its query, as text.
    Filas terminalesInactivas();
    Filas impresorasRedirigidas();

    // Reads the working date and builds the label; runs the day end when the working day is over
    // (Fin_Dia, clears this terminal's restart request, SalirSistema on `acceso`, restarts the machine
    // and ends the program), else honours a restart request; then reads both grids. After a day end the
    // grids are not read: the program is ending.
    Refresco refrescar(AccessScreen& acceso);

    // One try to reach the server named by the settings as they read now (a missing terminal number
    // reads as 0), and when it does not answer and "BackupNameServer" allows it, a second try under
    // this machine's own name. Tells the person when there is no server name, and ends the program
    // for terminal 0. When found, start-up goes on from there with the server that answered and loads
    // the terminal's values; the program ends when start-up refuses the terminal.
    Busqueda buscarServidor();

private:
    void finDia(AccessScreen& acceso);
    void reiniciar();
    Filas filas(const QString& sql);
    QString condicionTerminal() const;

    TerminalContext& m_context;
    Reloj m_reloj;
    std::function<void()> m_terminarPrograma;
    std::function<Status(const QString&)> m_continuarArranque;
};

} // namespace nerin
