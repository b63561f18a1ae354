#pragma once

#include "tables/MesaNueva.h"
#include "ui/ModalScreen.h"

class QPushButton;

namespace nerin {

class TecladoMesa;
class TerminalContext;

// "Mesa Nueva": the table number on a keypad (or a physical keyboard), the kind of service, and
// "Aceptar", which opens the order and the order screen on it (see MesaNueva). The caller shows it
// modally and reads numeroMesa() and Cancelado() after it closes: -1 and true after "Cancelar", the
// table's number and false after an order was opened.
class frmMesaNueva : public ModalScreen {
public:
    explicit frmMesaNueva(TerminalContext& context, QWidget* parent = nullptr);
    ~frmMesaNueva() override;

    qint16 numeroMesa() const { return m_numMesa; }
    bool Cancelado() const { return m_cancelado; }

    // Types a text as the digit keys would: its digits are added, anything else is ignored.
    void teclear(const QString& texto);

protected:
    // Digits append, Backspace removes the last one, Delete empties the box, Enter is "Aceptar" and
    // Escape "Cancelar"; other keys are ignored.
    void keyPressEvent(QKeyEvent* event) override;
    // "Cancelar", also when the window is closed.
    void reject() override;

private:
    void aceptar();
    void habilitar(bool habilitado);

    TerminalContext& m_context;
    MesaNueva m_mesaNueva;
    TecladoMesa* m_teclado = nullptr;
    QPushButton* m_cmdAceptar = nullptr;
    QPushButton* m_cmdCancelar = nullptr;
    qint16 m_numMesa = -1;
    bool m_cancelado = true;
};

} // namespace nerin
