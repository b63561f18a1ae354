#pragma once

#include "reports/PantallaResumen.h"
#include "reports/RepHuespedes.h"

namespace nerin {

class TerminalContext;

// The guests per waiter (RepHuespedes) on a summary screen; a waiter's row is touched, and
// `cmdMesasMesero` lists the tables that waiter opened on the working date (FrmMesasMesero).
class FrmRepHuespedes : public PantallaResumen {
public:
    explicit FrmRepHuespedes(TerminalContext& context, QWidget* parent = nullptr);

private:
    void mesasMesero();

    RepHuespedes m_huespedes;
};

} // namespace nerin
