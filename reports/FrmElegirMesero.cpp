#include "reports/FrmElegirMesero.h"

#include <QLabel>
#include <QTableWidget>

namespace nerin {

FrmElegirMesero::FrmElegirMesero(BaseDatos& baseDatos, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmElegirMesero")),
      m_grdMeseros(crearListaTactil(QStringLiteral("grdMeseros"), QStringLiteral("Mesero"))) {
    setWindowTitle(QStringLiteral("Elegir Mesero"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Elegir Mesero"));
    m_grdMeseros->setMinimumSize(480, 400);

    armarEleccion(titulo, m_grdMeseros, [this] { aceptar(); });

    // A failed read was reported: the list stays empty and only "Cancelar" leads anywhere.
    m_meseros = VentasMesero::meseros(baseDatos).value_or(QList<VentasMesero::Mesero>());
    m_grdMeseros->setRowCount(static_cast<int>(m_meseros.size()));
    for (int fila = 0; fila < m_meseros.size(); ++fila)
        m_grdMeseros->setItem(fila, 0, new QTableWidgetItem(m_meseros.at(fila).nombre));
}

void FrmElegirMesero::aceptar() {
    const int fila = m_grdMeseros->selectionModel()->hasSelection() ? m_grdMeseros->currentRow() : -1;
    if (fila < 0 || fila >= m_meseros.size())
        return;
    m_elegido = m_meseros.at(fila);
    accept();
}

} // namespace nerin
