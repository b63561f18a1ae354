#pragma once

#include "reports/VentasMesero.h"
#include "ui/ModalScreen.h"

#include <optional>

class QTableWidget;

namespace nerin {

class BaseDatos;

// "Elegir Mesero": the waiters a manager may look at (VentasMesero::meseros) in a touch list
// (`grdMeseros`). "Aceptar" with a waiter touched closes with that waiter; "Aceptar" with none does
// nothing; "Cancelar" closes with none.
class FrmElegirMesero : public ModalScreen {
public:
    explicit FrmElegirMesero(BaseDatos& baseDatos, QWidget* parent = nullptr);

    // The waiter chosen; none when the person cancelled.
    const std::optional<VentasMesero::Mesero>& elegido() const { return m_elegido; }

private:
    void aceptar();

    QList<VentasMesero::Mesero> m_meseros;
    QTableWidget* m_grdMeseros;
    std::optional<VentasMesero::Mesero> m_elegido;
};

} // namespace nerin
