#pragma once

#include "printing/RedirigirImpresora.h"
#include "ui/ModalScreen.h"

class QTableWidget;

namespace nerin {

// Every printer (grdImpresoras) with its state and the printer that receives its jobs, with that
// printer's state. Touching a row opens FrmEscogerImpresora for that printer and shows the list again
// once it closes. The arrow keys page through the list; "Mesas" closes it for the open tables, "Salir"
// for signing out and "Cerrar" just closes it: the caller reads salida().
//
// Nothing happens on this screen when nobody touches it, so it keeps no inactivity clock.
class FrmRedirigirImpresora : public ModalScreen {
public:
    enum class Salida { Cerrar, Mesas, Salir };

    explicit FrmRedirigirImpresora(const ContextoImpresion& contexto, QWidget* parent = nullptr);

    Salida salida() const { return m_salida; }

private:
    void Llenar_Spread();
    void escoger(int fila);

    ContextoImpresion m_contexto;
    RedirigirImpresora m_redirigir;
    QTableWidget* m_grdImpresoras;
    RecordSet m_filas;
    Salida m_salida = Salida::Cerrar;
};

} // namespace nerin
