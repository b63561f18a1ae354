#include "reports/FrmVentas.h"

#include <QPushButton>

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
    mostrarGraficas(m_ventas.cifras());
}

} // namespace nerin
