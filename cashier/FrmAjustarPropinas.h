#pragma once

#include "cashier/AjustePagos.h"
#include "ui/ModalScreen.h"

#include <optional>

class QTableWidget;

namespace nerin {

class TerminalContext;

// The day's payments (grdPagos) with their tips, for adjusting a tip ("Ajustar propina"), a payment's
// type ("Ajustar Tipo", through FrmAjustarPagos), deleting a payment ("Borrar", with permission 56)
// and printing the list ("Imprimir"). The rules are AjustePagos'.
class FrmAjustarPropinas : public ModalScreen {
public:
    explicit FrmAjustarPropinas(TerminalContext& context, QWidget* parent = nullptr);
    ~FrmAjustarPropinas() override;

    // Reads the list again, keeping the chosen row where it was.
    void Llenar_Spread();

private:
    std::optional<AjustePagos::Pago> elegido() const;
    void ajustarTipo();
    void imprimir();

    TerminalContext& m_context;
    AjustePagos m_ajuste;
    QTableWidget* m_grdPagos;
    QList<AjustePagos::Pago> m_pagos;
};

} // namespace nerin
