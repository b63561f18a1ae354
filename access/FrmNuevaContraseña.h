#pragma once

#include "access/CambioTarjeta.h"
#include "access/PantallaTarjeta.h"

class QLabel;

namespace nerin {

class TerminalContext;

// Takes a swipe of the new card for the employee in ID_Empleado and stores it (CambioTarjeta). A
// card typed by a reader that works as a keyboard, or delivered by the reader given, goes into the
// hidden card box and presses the confirm button. A stored card closes the screen; a refused one
// leaves it waiting for another swipe. "Cancelar" closes without a card.
class FrmNuevaContraseña : public PantallaTarjeta {
public:
    // `lector` is a reader that delivers whole card texts, claimed while the screen's reader is on;
    // optional. The readers are on from the start.
    explicit FrmNuevaContraseña(TerminalContext& context, QWidget* parent = nullptr,
                                CardReader* lector = nullptr);

    void setID_Empleado(qint16 idEmpleado) { m_idEmpleado = idEmpleado; }
    qint16 ID_Empleado() const { return m_idEmpleado; }
    // The employee's name, shown in the title.
    void setNombre(const QString& nombre);

    // True once the card was stored.
    bool cambiada() const { return m_cambiada; }

protected:
    void tarjetaRecibida(const QString& tarjeta) override;

private:
    CambioTarjeta m_cambio;
    qint16 m_idEmpleado = 0;
    bool m_cambiada = false;
    QLabel* m_lblTitulo;
};

} // namespace nerin
