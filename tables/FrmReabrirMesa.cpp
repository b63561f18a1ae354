#include "tables/FrmReabrirMesa.h"

namespace nerin {

FrmReabrirMesa::FrmReabrirMesa(TerminalContext& context, QWidget* parent)
    : FrmListaMesas(parent, QStringLiteral("FrmReabrirMesa"), QStringLiteral("Reabrir mesa"),
                    QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"), true),
      m_reabrir(context) {
    Llenar_Spread();
}

void FrmReabrirMesa::Llenar_Spread() {
    mostrarFilas(m_reabrir.Llenar_Spread(), {{2, QStringLiteral("Mesa")},
                                             {3, QStringLiteral("Mesero")},
                                             {4, QStringLiteral("Cierre")},
                                             {5, QStringLiteral("Total")}});
}

void FrmReabrirMesa::accion() {
    const QList<DbValue>* fila = filaElegida();
    if (!fila)
        return;
    m_reabrir.Aceptar(MesasAbiertas::fila(*fila));
    Llenar_Spread();
}

} // namespace nerin
