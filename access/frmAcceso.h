#pragma once

#include "access/AccesoDisplay.h"
#include "access/FirmaEmpleado.h"
#include "access/KeyboardCardReader.h"
#include "access/LogoRebote.h"
#include "startup/AccessScreen.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace nerin {

class TerminalContext;

// The access screen: stands whenever nobody works at the terminal. It shows the logo (bouncing
// across the screen), the terminal's name, the program's version, the working date with the system
// clock, and the inactive terminals and redirected printers when there are any. While it stands it
// refreshes those, carries out the day end and restart requests, and looks for the server when none
// was found at start-up. A card swiped on a reader that types (passed on keystroke by keystroke into
// the hidden card box) or on the reader given in the options presses the confirm button, which signs
// the employee in (FirmaEmpleado) and opens the next screen. The key "A" or a touch on the logo opens
// the card registration when some employee has no card.
class frmAcceso : public QWidget, public AccessScreen {
public:
    struct Opciones {
        QString logo;    // the logo picture; a text label stands in when it cannot be read
        QString titulo;  // the program's title, first word of the version label
        QString version; // the three version numbers joined by "."
        QString mesero;  // the settings value shown between parentheses after the version
        bool pantallaCompleta = true;
        AccesoDisplay::Reloj reloj = &QDateTime::currentDateTime;
        std::function<void()> terminarPrograma;
        // Finishes start-up once the server search found the server (Arranque::continuar).
        std::function<Status(const QString& servidor)> continuarArranque;
        CardReader* lector = nullptr; // a reader that delivers whole card texts; none by default
    };

    static constexpr int kIntervaloLogo = 100;      // milliseconds between logo steps
    static constexpr int kPasosPorRefresco = 10;    // logo steps between database refreshes
    static constexpr int kIntervaloBusqueda = 3000; // milliseconds between server searches
    static constexpr const char* kTextoLogo = "NERIN";

    frmAcceso(TerminalContext& context, Opciones opciones, QWidget* parent = nullptr);
    ~frmAcceso() override;

    void showAccessScreen(bool serverFound) override;
    void returnToAccess(const QString& screenName, bool unload) override;

    // The refresh timer's work, callable directly: reads the working date, the requests and the
    // grids, and shows them.
    void refrescar();
    // One step of the bouncing logo; every kPasosPorRefresco steps also refreshes.
    void moverLogo();
    // The server search timer's work: one try to reach the server.
    void buscarServidor();

    // Opens the card readers, or releases the one given in the options so that another screen can
    // claim it. The keyboard reader stays with this screen.
    void ActivarLector();
    void DesactivarLector();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The confirm button: signs in with the card text in the box.
    void accesar();
    // Where both readers deliver: each card text and reading error is logged (a card by its check
    // digest only), then the card goes to recibirTarjeta.
    CardReader::Receptor receptorLector();
    // A card text from a reader: into the box, then the confirm button.
    void recibirTarjeta(const QString& tarjeta);
    // A physical key; false for keys this screen leaves alone.
    bool tecla(QKeyEvent* event);
    void habilitarFirma();
    // Full screen, or a 1024x768 window for development.
    void mostrarPantalla();
    void construir();
    void cargarLogo();
    void cargarEtiquetas();
    void llenar(QTableWidget* grid, const AccesoDisplay::Filas& filas);
    void iniciarRefresco();

    TerminalContext& m_context;
    Opciones m_opciones;
    AccesoDisplay m_display;
    LogoRebote m_rebote;
    FirmaEmpleado m_firma;
    KeyboardCardReader m_teclado;
    int m_pasos = 0;
    int m_puntos = 0;
    bool m_cargada = false;
    bool m_refrescando = false;

    QWidget* m_areaLogo = nullptr;
    QLabel* m_imgLogo = nullptr;
    QLabel* m_lblTerminal = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_lblFecha = nullptr;
    QLabel* m_lblIngresando = nullptr;
    QLabel* m_lblDesconectada = nullptr;
    QLineEdit* m_txtUsuario = nullptr;
    QPushButton* m_cmdAccesar = nullptr;
    QTableWidget* m_grdTerminales = nullptr;
    QTableWidget* m_grdImpresoras = nullptr;
    QTimer* m_tmrMoverLogo = nullptr;
    QTimer* m_tmrBuscaServidor = nullptr;
};

} // namespace nerin
