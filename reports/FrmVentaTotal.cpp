#include "reports/FrmVentaTotal.h"

#include "data/Bitacora.h"
#include "printing/ColaImpresion.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"

#include <QPushButton>

namespace nerin {

FrmVentaTotal::FrmVentaTotal(TerminalContext& context, QWidget* parent)
    : PantallaResumen(parent, QStringLiteral("FrmVentaTotal"), QStringLiteral("Venta total")),
      m_context(context), m_ventaTotal(context.baseDatos()) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmVentaTotal.Load"));
    QPushButton* imprimir = agregarTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    connect(imprimir, &QPushButton::clicked, this, [this] {
        ColaImpresion cola(m_context.baseDatos());
        m_ventaTotal.imprimir(contextoImpresion(m_context), cola);
    });
    Llenar_Spread();
}

void FrmVentaTotal::Llenar_Spread() {
    // A failed read has been reported; the sheet shows what was read before it.
    m_ventaTotal.cargar();
    mostrarHoja(m_ventaTotal.hoja());
    mostrarGraficas(m_ventaTotal.cifras());
}

} // namespace nerin
