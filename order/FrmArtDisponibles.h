#pragma once

#include "order/ExistenciasProductos.h"
#include "ui/ModalScreen.h"

class QListWidget;
class QTableWidget;

namespace nerin {

// The stock screen: the categories on one side, their products with their stock on the other;
// touching a product asks for its new stock.
class FrmArtDisponibles : public ModalScreen {
public:
    FrmArtDisponibles(TerminalContext& context, QWidget* parent = nullptr);

private:
    void llenarProductos(qint32 categoria);
    void fijar(int fila);

    ExistenciasProductos m_existencias;
    RecordSet m_productos;
    QListWidget* m_lstCategorias = nullptr;
    QTableWidget* m_grdProductos = nullptr;
};

} // namespace nerin
