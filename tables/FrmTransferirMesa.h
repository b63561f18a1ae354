#pragma once

#include "tables/MesasAbiertas.h"
#include "ui/ModalScreen.h"

class QPushButton;

namespace nerin {

class TecladoMesa;
class TerminalContext;

// The table-number keypad of a transfer: moves the order to the typed number as the chosen kind of
// service (see TransferirMesa), or, in UnirMesas mode, joins it into the open table with that number
// (see UnirMesas; the kinds of service are not offered then). It closes once the order moved or
// joined; Cancelado() is true when it closed otherwise.
class FrmTransferirMesa : public ModalScreen {
public:
    FrmTransferirMesa(TerminalContext& context, const MesasAbiertas::Fila& origen, bool unirMesas,
                      QWidget* parent = nullptr);

    bool Cancelado() const { return m_cancelado; }
    bool UnirMesas() const { return m_unirMesas; }
    // Types a text as the digit keys would.
    void teclear(const QString& texto);

protected:
    // The keys of the new-table screen: digits, Backspace, Delete, Enter and Escape.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void aceptar();

    TerminalContext& m_context;
    MesasAbiertas::Fila m_origen;
    bool m_unirMesas;
    bool m_cancelado = true;
    TecladoMesa* m_teclado = nullptr;
};

} // namespace nerin
