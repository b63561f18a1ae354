#include "tables/FrmMesasEnCero.h"

namespace nerin {

FrmMesasEnCero::FrmMesasEnCero(TerminalContext& context, QWidget* parent)
    : FrmListaMesas(parent, QStringLiteral("FrmMesasEnCero"), QStringLiteral("Mesas en cero"),
                    QStringLiteral("Cerrar"), QStringLiteral("cmdCerrar"), true),
      m_enCero(context) {
    Llenar_Spread();
}

void FrmMesasEnCero::Llenar_Spread() {
    mostrarFilas(
        m_enCero.Llenar_Spread(),
        {{1, QStringLiteral("Mesa")}, {2, QStringLiteral("Mesero")}, {3, QStringLiteral("Apertura")}});
}

void FrmMesasEnCero::accion() {
    const QList<DbValue>* fila = filaElegida();
    if (!fila)
        return;
    m_enCero.Cerrar(MesasEnCero::fila(*fila));
    Llenar_Spread();
}

} // namespace nerin
