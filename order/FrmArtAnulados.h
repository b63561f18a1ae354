#pragma once

#include "order/ArtAnulados.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

// The cancelled-items screen: the items cancelled on the working date, with the date, reason,
// manager, product, table and order of each; "Imprimir" prints the selected item's slip again.
class FrmArtAnulados : public ModalScreen {
public:
    FrmArtAnulados(TerminalContext& context, QWidget* parent = nullptr);

private:
    void llenar();

    ArtAnulados m_anulados;
    QTableWidget* m_grdAnulados = nullptr;
};

} // namespace nerin
