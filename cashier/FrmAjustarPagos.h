#pragma once

#include "cashier/AjustePagos.h"
#include "ui/ModalScreen.h"

#include <optional>

namespace nerin {

// The payment types as buttons, a page at a time ("Más" and "Menos" turn the pages); touching one
// chooses it, "Aceptar" writes it on the payment (AjustePagos::cambiarTipo) and closes the screen
// accepted, "Cancelar" closes it without a change.
class FrmAjustarPagos : public ModalScreen {
public:
    FrmAjustarPagos(AjustePagos& ajuste, AjustePagos::Pago pago, QWidget* parent = nullptr);

    static constexpr int kPorPagina = 6;

private:
    void mostrarPagina();
    void aceptar();

    AjustePagos& m_ajuste;
    AjustePagos::Pago m_pago;
    QList<AjustePagos::TipoPago> m_tiposPago;
    QList<QPushButton*> m_botones;
    QPushButton* m_cmdMas;
    QPushButton* m_cmdMenos;
    int m_pagina = 0;
    std::optional<qint32> m_elegido;
};

} // namespace nerin
