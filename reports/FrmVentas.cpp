#include "reports/FrmVentas.h"

#include <QPushButton>
#include <QTableWidget>

namespace nerin {

FrmVentas::FrmVentas(TerminalContext& context, VentasMesero::Mesero mesero, QWidget* parent)
    : PantallaResumen(parent, QStringLiteral("FrmVentas"), QStringLiteral("Ventas de ") + mesero.nombre),
      m_ventas(context, std::move(mesero)) {
    QPushButton* cmdVerificacion =
        agregarTecla(QStringLiteral("Verificación"), QStringLiteral("cmdVerificacion"));
    connect(cmdVerificacion, &QPushButton::clicked, this, [this] { m_ventas.verificar(); });
    // A failed read was reported; what was read is shown.
    static_cast<void>(m_ventas.cargar());
    cmdVerificacion->setEnabled(m_ventas.puedeVerificar());
    mostrarHoja(m_ventas.hoja());
    // The guests are a count: to the right, under the amounts.
    if (QTableWidgetItem* huespedes = grid()->item(grid()->rowCount() - 1, 1))
        huespedes->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mostrarGraficas(m_ventas.cifras());
}

} // namespace nerin
