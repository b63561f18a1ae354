#include "tables/FrmTransferirMesero.h"

#include "tables/TransferirMesa.h"
#include "ui/TouchTheme.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace nerin {

FrmTransferirMesero::FrmTransferirMesero(TerminalContext& context, const MesasAbiertas::Fila& origen,
                                         QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmTransferirMesero")), m_context(context), m_origen(origen),
      m_grdMeseros(new QTableWidget(0, 1, this)) {
    setWindowTitle(QStringLiteral("Transferir a mesero"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Transferir la mesa ") + QString::number(origen.numMesa) +
                    QStringLiteral(" al mesero"));
    m_grdMeseros->setObjectName(QStringLiteral("grdMeseros"));
    m_grdMeseros->setHorizontalHeaderLabels({QStringLiteral("Mesero")});
    m_grdMeseros->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdMeseros->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdMeseros->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdMeseros->verticalHeader()->setVisible(false);
    m_grdMeseros->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdMeseros->horizontalHeader()->setStretchLastSection(true);
    m_grdMeseros->setMinimumSize(560, 400);

    armarEleccion(titulo, m_grdMeseros, [this] { aceptar(); });

    if (std::optional<RecordSet> meseros = TransferirMesa(m_context).meseros())
        m_meseros = std::move(*meseros);
    m_grdMeseros->setRowCount(m_meseros.recordCount());
    for (int fila = 0; fila < m_meseros.recordCount(); ++fila)
        m_grdMeseros->setItem(fila, 0, new QTableWidgetItem(m_meseros.rows().at(fila).value(1).toString()));
}

void FrmTransferirMesero::aceptar() {
    const int fila = m_grdMeseros->selectionModel()->hasSelection() ? m_grdMeseros->currentRow() : -1;
    if (fila < 0 || fila >= m_meseros.recordCount())
        return;
    const QList<DbValue>& mesero = m_meseros.rows().at(fila);
    if (TransferirMesa(m_context).aMesero(m_origen, static_cast<qint32>(mesero.value(0).toInt()),
                                          mesero.value(1).toString()))
        accept();
}

} // namespace nerin
