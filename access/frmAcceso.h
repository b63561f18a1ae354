#pragma once

#include "access/AccesoDisplay.h"
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
// was found at start-up. Signing in is not here yet: the card box and its confirm button exist and
// stay disabled.
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

private:
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
