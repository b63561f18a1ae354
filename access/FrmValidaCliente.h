#pragma once

#include "access/PantallaTarjeta.h"

class QLabel;

namespace nerin {

class TerminalContext;

// The loyalty card window: a customer's card is swiped (or its track typed) and checked, on line with
// its balance from the loyalty service (ValidacionTarjeta's rules). An accepted card shows its owner
// and balances and "Aceptar" closes the window with it; off line an accepted card closes the window at
// once, without balances. A refused card leaves the window waiting for another swipe. "Aceptar" with
// no card swiped asks for one ("Pase su tarjeta!"); "Cancelar" closes with getValido false.
class FrmValidaCliente : public PantallaTarjeta {
public:
    // `lector` is a reader that delivers whole card texts, claimed while the window stands; optional.
    explicit FrmValidaCliente(TerminalContext& context, QWidget* parent = nullptr,
                              CardReader* lector = nullptr);

    void setTitle(const QString& titulo);
    void setOnLine(bool enLinea) { m_enLinea = enLinea; }
    bool getOnLine() const { return m_enLinea; }
    bool getValido() const { return m_valido; }
    // The card number, which is also the customer key; empty while no card was accepted.
    QString getCliente() const { return m_cliente; }
    QString getSaldoPesos() const { return m_pesos; }
    QString getSaldoPuntos() const { return m_puntos; }
    int getTipoTarjeta() const;
    QString getNombreCliente() const { return m_nombre; }

protected:
    void tarjetaRecibida(const QString& tarjeta) override;
    void reject() override;

private:
    void aceptar();

    TerminalContext& m_context;
    bool m_enLinea = true;
    bool m_valido = false;
    QString m_cliente;
    QString m_nombre;
    QString m_puntos;
    QString m_pesos;
    QLabel* m_lblTitulo;
    QLabel* m_lblMensaje;
    QLabel* m_lblNombre;
    QLabel* m_lblSaldo;
};

} // namespace nerin
