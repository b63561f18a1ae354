#pragma once

#include "reports/RepHuespedes.h"
#include "ui/ModalScreen.h"

namespace nerin {

// The tables one waiter opened on the working date, as a small list (`grdMesas`: table, guests, total,
// open or closed) with a key to close it (`cmdAceptar`).
class FrmMesasMesero : public ModalScreen {
public:
    FrmMesasMesero(const QString& mesero, const QList<RepHuespedes::Mesa>& mesas, QWidget* parent = nullptr);
};

} // namespace nerin
