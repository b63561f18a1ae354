#pragma once

#include "loyalty/ClientesLocales.h"
#include "ui/ModalScreen.h"

#include <array>

class QLineEdit;
class QTableWidget;

namespace nerin {

class TerminalContext;

// The list of the restaurant's customers: search boxes for telephone, name, surnames, R.F.C. and
// company name (each typed on the text keyboard; the list is searched again after each), and the grid
// `grdClientes` of the customers whose fields contain every filled box (CveCliente, Numtarjeta, name,
// tel). Touching a row chooses that customer and closes the list; "Cancelar" closes it with none.
class frmClientesList : public ModalScreen {
public:
    frmClientesList(TerminalContext& context, const ClientesLocales::Busqueda& inicial,
                    QWidget* parent = nullptr);

    // The key of the customer chosen; none when the list was cancelled.
    std::optional<qint64> elegido() const { return m_elegido; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void editar(size_t caja);
    void buscar();

    TerminalContext& m_context;
    ClientesLocales m_clientes;
    ClientesLocales::Busqueda m_busqueda;
    std::array<QLineEdit*, 5> m_cajas{};
    QTableWidget* m_grdClientes;
    QList<ClientesLocales::Renglon> m_renglones;
    std::optional<qint64> m_elegido;
};

} // namespace nerin
