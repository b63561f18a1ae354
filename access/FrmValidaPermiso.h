#pragma once

#include "access/PantallaTarjeta.h"

class QLabel;
class QPushButton;

namespace nerin {

class TerminalContext;

// The authorisation window: asks whoever swipes a card next whether they hold a permission. The caller
// sets the permission and the title, shows the window and reads getValido afterwards. A card swiped on
// a reader that types, or on the reader given, is checked at once; a valid card without the permission
// retitles the window "Reintentar?" and waits for another swipe. "Aceptar" asks for the card,
// "Cancelar" closes without authorisation.
class FrmValidaPermiso : public PantallaTarjeta {
public:
    // `lector` is a reader that delivers whole card texts, claimed while the window stands; optional.
    explicit FrmValidaPermiso(TerminalContext& context, QWidget* parent = nullptr,
                              CardReader* lector = nullptr);

    void setPermiso(int permiso) { m_permiso = permiso; }
    void setTitle(const QString& titulo);
    bool getValido() const { return m_valido; }
    // The employee whose card was accepted; 0 while none was.
    qint32 getEmpleado() const { return m_empleado; }

protected:
    void tarjetaRecibida(const QString& tarjeta) override;

private:
    void pedirTarjeta();

    TerminalContext& m_context;
    int m_permiso = 0;
    bool m_valido = false;
    qint32 m_empleado = 0;
    QLabel* m_lblTitulo;
    QLabel* m_lblMensaje;
};

} // namespace nerin
