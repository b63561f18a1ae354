#include "reports/FrmVentaTotal.h"

#include "data/Bitacora.h"
#include "printing/ColaImpresion.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace nerin {

namespace {

constexpr int kAnchoMontos = 150; // pixels: "9,999,999.99" in the grid's letters

} // namespace

FrmVentaTotal::FrmVentaTotal(TerminalContext& context, QWidget* parent)
    : PantallaResumen(parent, QStringLiteral("FrmVentaTotal"), QStringLiteral("Venta total")),
      m_context(context), m_ventaTotal(context.baseDatos()) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmVentaTotal.Load"));
    m_cmdImprimir = agregarTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    connect(m_cmdImprimir, &QPushButton::clicked, this, [this] {
        ColaImpresion cola(m_context.baseDatos());
        m_ventaTotal.imprimir(contextoImpresion(m_context), cola);
    });
    Llenar_Spread();
}

void FrmVentaTotal::Llenar_Spread() {
    // A failed read has been reported; the sheet shows what was read before it, and is not printed:
    // on paper it would pass for the day's figures.
    m_cmdImprimir->setEnabled(m_ventaTotal.cargar());
    mostrarHoja(m_ventaTotal.hoja());
    // The section captions are padded with spaces for paper, which would widen either column to
    // contents: the figures get a fixed column and the captions the rest.
    QHeaderView* columnas = grid()->horizontalHeader();
    columnas->setStretchLastSection(false);
    columnas->setSectionResizeMode(0, QHeaderView::Stretch);
    columnas->setSectionResizeMode(1, QHeaderView::Fixed);
    columnas->resizeSection(1, kAnchoMontos);
    mostrarGraficas(m_ventaTotal.cifras());
}

} // namespace nerin
