#pragma once

#include "access/KeyboardCardReader.h"
#include "ui/ModalScreen.h"

class QLineEdit;
class QPushButton;

namespace nerin {

// A modal window that takes a card. A reader that works as a keyboard types into the window's hidden
// card box; a reader that delivers whole card texts (optional, claimed while the window's readers are
// on) writes the text there at once. Either way the hidden confirm button ("cmdAccesar") then hands the
// card text to tarjetaRecibida(), with the box already cleared for the next swipe. Escape cancels.
// The readers are on from the start and released when the window is unloaded.
class PantallaTarjeta : public ModalScreen {
public:
    // `nombreCaja` is the hidden card box's objectName.
    PantallaTarjeta(QWidget* parent, const QString& nombre, const QString& nombreCaja, CardReader* lector);
    ~PantallaTarjeta() override;

    void ActivarLector();
    void DesactivarLector();

protected:
    // A complete card text has arrived.
    virtual void tarjetaRecibida(const QString& tarjeta) = 0;
    // Forgets any card typed so far and puts the focus on the window, ready for a swipe.
    void esperarTarjeta();

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recibir(const QString& tarjeta);
    void confirmar();
    bool tecla(QKeyEvent* event);

    CardReader* m_lector;
    KeyboardCardReader m_teclado;
    QLineEdit* m_txtTarjeta;
    QPushButton* m_cmdAccesar;
};

} // namespace nerin
