#include "tables/frmUnirMesas.h"

#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"
#include "tables/FrmTransferirMesa.h"

namespace nerin {

frmUnirMesas::frmUnirMesas(TerminalContext& context, QWidget* parent)
    : FrmListaMesas(parent, QStringLiteral("frmUnirMesas"), QStringLiteral("Unir mesas"),
                    QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"), false),
      m_context(context), m_mesas(context) {
    Llenar_Spread();
}

void frmUnirMesas::Llenar_Spread() {
    // Vw_MesasAbiertas: 3 Num_Mesa, 4 the waiter, 9 the amount due.
    mostrarFilas(m_mesas.Llenar_Spread(),
                 {{2, QStringLiteral("Mesa")}, {3, QStringLiteral("Mesero")}, {8, QStringLiteral("Total")}});
}

void frmUnirMesas::accion() {
    const QList<DbValue>* fila = filaElegida();
    if (!fila) {
        m_context.Mensaje(QStringLiteral("Seleccione las mesas que desea unir"), Prompts::kOk);
        return;
    }
    FrmTransferirMesa unir(m_context, MesasAbiertas::fila(*fila), true, this);
    unir.mostrar();
    Llenar_Spread();
}

} // namespace nerin
