#pragma once

#include "access/KeyboardCardReader.h"
#include "ui/ModalScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace nerin {

class TerminalContext;

// The authorisation window: asks whoever swipes a card next whether they hold a permission. The caller
// sets the permission and the title, shows the window and reads getValido afterwards. A card swiped on
// a reader that types, or on the reader given, is checked at once; a valid card without the permission
// retitles the window "Reintentar?" and waits for another swipe. "Aceptar" asks for the card,
// "Cancelar" closes without authorisation.
class FrmValidaPermiso : public ModalScreen {
public:
    // `lector` is a reader that delivers whole card texts, claimed while the window stands; optional.
    explicit FrmValidaPermiso(TerminalContext& context, QWidget* parent = nullptr,
                              CardReader* lector = nullptr);
    ~FrmValidaPermiso() override;

    void setPermiso(int permiso) { m_permiso = permiso; }
    void setTitle(const QString& titulo);
    bool getValido() const { return m_valido; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pedirTarjeta();
    void recibirTarjeta(const QString& tarjeta);
    void validar();
    bool tecla(QKeyEvent* event);

    TerminalContext& m_context;
    CardReader* m_lector;
    KeyboardCardReader m_teclado;
    int m_permiso = 0;
    bool m_valido = false;
    QLabel* m_lblTitulo;
    QLabel* m_lblMensaje;
    QLineEdit* m_txtUsuario;
    QPushButton* m_cmdAccesar;
};

} // namespace nerin
