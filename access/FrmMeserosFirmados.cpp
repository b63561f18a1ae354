#include "access/FrmMeserosFirmados.h"

#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmMeserosFirmados::FrmMeserosFirmados(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmMeserosFirmados")), m_firmados(context),
      m_grdEmpleados(new QTableWidget(0, 4, this)) {
    setWindowTitle(QStringLiteral("Personal firmado"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("PERSONAL FIRMADO"));

    m_grdEmpleados->setObjectName(QStringLiteral("grdEmpleados"));
    m_grdEmpleados->setHorizontalHeaderLabels({QStringLiteral("Empleado"), QStringLiteral("Terminal"),
                                               QStringLiteral("Departamento"), QStringLiteral("Entrada")});
    m_grdEmpleados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdEmpleados->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdEmpleados->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdEmpleados->verticalHeader()->setVisible(false);
    // Rows a finger can hit.
    m_grdEmpleados->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdEmpleados->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grdEmpleados->setMinimumSize(640, 400);
    connect(m_grdEmpleados, &QTableWidget::cellClicked, this, [this](int fila) {
        if (m_firmados.corregirHora(fila))
            llenar();
    });

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* desfirmar = crearTecla(QStringLiteral("Desfirmar"), QStringLiteral("cmdDesfirmar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdEmpleados, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdEmpleados, 1); });
    connect(desfirmar, &QPushButton::clicked, this, [this] {
        if (m_firmados.desfirmar(
                m_grdEmpleados->selectionModel()->hasSelection() ? m_grdEmpleados->currentRow() : -1))
            llenar();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(listaConFlechas(m_grdEmpleados, arriba, abajo), 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(desfirmar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);

    m_firmados.cargar();
    llenar();
}

void FrmMeserosFirmados::llenar() {
    const RecordSet& lista = m_firmados.lista();
    m_grdEmpleados->clearSelection();
    m_grdEmpleados->setRowCount(lista.recordCount());
    for (int fila = 0; fila < lista.recordCount(); ++fila) {
        const QList<DbValue>& datos = lista.rows().at(fila);
        const QDateTime entrada = datos.value(4).toDateTime();
        const QStringList celdas = {
            datos.value(1).toString(), datos.value(2).toString(), datos.value(3).toString(),
            entrada.isValid() ? entrada.toString(QStringLiteral("hh:mm AP")) : QString()};
        for (int columna = 0; columna < celdas.size(); ++columna)
            m_grdEmpleados->setItem(fila, columna, new QTableWidgetItem(celdas.at(columna)));
    }
}

} // namespace nerin
