#include "reports/frmResumen.h"

#include "data/Bitacora.h"
#include "printing/ColaImpresion.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"

#include <QButtonGroup>
#include <QPushButton>

namespace nerin {

frmResumen::frmResumen(TerminalContext& context, QWidget* parent)
    : PantallaResumen(parent, QStringLiteral("frmResumen"), QStringLiteral("Resumen de pagos")),
      m_context(context), m_resumen(context.baseDatos(), context.sesion().idEmpleado()) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmResumen.Load"));
    QPushButton* pagos = agregarTecla(QStringLiteral("Pagos"), QStringLiteral("optPagos"));
    QPushButton* propinas = agregarTecla(QStringLiteral("Propinas"), QStringLiteral("optPropinas"));
    m_cmdImprimir = agregarTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    auto* opciones = new QButtonGroup(this);
    for (QPushButton* opcion : {pagos, propinas}) {
        opcion->setCheckable(true);
        opciones->addButton(opcion);
    }
    propinas->setChecked(true);
    connect(pagos, &QPushButton::clicked, this, [this] { verPropinas(false); });
    connect(propinas, &QPushButton::clicked, this, [this] { verPropinas(true); });
    connect(m_cmdImprimir, &QPushButton::clicked, this, [this] {
        ColaImpresion cola(m_context.baseDatos());
        m_resumen.imprimir(contextoImpresion(m_context), cola);
    });
    Llenar_Spread();
}

void frmResumen::Llenar_Spread() {
    // A failed read has been reported; the grid shows what could be built, zeros at least, and is not
    // printed: on paper it would pass for the day's figures.
    m_cmdImprimir->setEnabled(m_resumen.cargar());
    mostrarHoja(m_resumen.hoja());
    mostrarGraficas(m_resumen.cifras());
}

void frmResumen::verPropinas(bool ver) {
    m_resumen.mostrarPropinas(ver);
    mostrarHoja(m_resumen.hoja());
}

} // namespace nerin
