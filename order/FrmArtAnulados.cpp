#include "order/FrmArtAnulados.h"

#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmArtAnulados::FrmArtAnulados(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmArtAnulados")), m_anulados(context),
      m_grdAnulados(new QTableWidget(0, 7, this)) {
    setWindowTitle(QStringLiteral("Artículos cancelados"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("ARTICULOS CANCELADOS"));

    m_grdAnulados->setObjectName(QStringLiteral("grdAnulados"));
    m_grdAnulados->setHorizontalHeaderLabels({QStringLiteral("Fecha"), QStringLiteral("Razón"),
                                              QStringLiteral("Gerente"), QStringLiteral("Producto"),
                                              QStringLiteral("Mesa"), QStringLiteral("Comanda"),
                                              QStringLiteral("Control")});
    m_grdAnulados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdAnulados->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdAnulados->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdAnulados->verticalHeader()->setVisible(false);
    // Rows a finger can hit.
    m_grdAnulados->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdAnulados->horizontalHeader()->setSectionResizeMode(ArtAnulados::kProducto, QHeaderView::Stretch);
    m_grdAnulados->setMinimumSize(760, 420);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* imprimir = crearTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    QPushButton* salir = crearTecla(QStringLiteral("Salir"), QStringLiteral("cmdSalir"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdAnulados, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdAnulados, 1); });
    connect(imprimir, &QPushButton::clicked, this, [this] {
        if (m_grdAnulados->selectionModel()->hasSelection())
            m_anulados.imprimir(m_grdAnulados->currentRow());
    });
    connect(salir, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(listaConFlechas(m_grdAnulados, arriba, abajo), 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(imprimir);
    botones->addWidget(salir);
    botones->addWidget(cancelar);
    layout->addLayout(botones);

    m_anulados.cargar();
    llenar();
}

void FrmArtAnulados::llenar() {
    const RecordSet& lista = m_anulados.lista();
    m_grdAnulados->setRowCount(lista.recordCount());
    for (int fila = 0; fila < lista.recordCount(); ++fila) {
        for (int columna = ArtAnulados::kFecha; columna <= ArtAnulados::kControl; ++columna)
            m_grdAnulados->setItem(
                fila, columna,
                new QTableWidgetItem(m_anulados.texto(fila, static_cast<ArtAnulados::Columna>(columna))));
    }
}

} // namespace nerin
