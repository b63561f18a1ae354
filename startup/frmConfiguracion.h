#pragma once

#include "ui/ModalScreen.h"

#include <QMap>

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace nerin {

class Configuracion;
class TerminalContext;

// The terminal configuration screen. In its first mode it edits the terminal's own settings: each
// setting's button opens the on-screen keyboard, "Guardar" writes them all, and it offers the
// requests to the outside supervisor and switching the machine off or restarting it. In its second
// mode it edits the dollar exchange rate of the restaurant. "Cancelar" closes without saving.
class frmConfiguracion : public ModalScreen {
public:
    // The settings mode; `configuracion` is loaded here and must outlive the screen.
    frmConfiguracion(Configuracion& configuracion, QWidget* parent = nullptr);
    // The exchange-rate mode; a stored rate also becomes the terminal's.
    frmConfiguracion(TerminalContext& context, QWidget* parent = nullptr);

private:
    void construirAjustes(QGridLayout* rejilla);
    void construirTipoCambio(QGridLayout* rejilla);
    QLineEdit* crearCampo(const QString& nombre);
    void mostrarValores();
    void guardarAjustes();
    void guardarTipoCambio();

    Configuracion* m_configuracion = nullptr;
    TerminalContext* m_context = nullptr;
    QMap<QString, QLineEdit*> m_campos;
    QMap<QString, QCheckBox*> m_interruptores;
    QLineEdit* m_txtTipoCambio = nullptr;
};

} // namespace nerin
