#pragma once

#include "data/RecordSet.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

// The product search results: one row per product found (submenu, button, full name, price); the
// chosen product is read with producto() after the screen closes, 0 when none was chosen.
class FrmBuscarProducto : public ModalScreen {
public:
    FrmBuscarProducto(const RecordSet& encontrados, QWidget* parent = nullptr);

    qint32 producto() const { return m_producto; }

private:
    void aceptar();

    RecordSet m_encontrados;
    QTableWidget* m_grdProductos = nullptr;
    qint32 m_producto = 0;
};

} // namespace nerin
