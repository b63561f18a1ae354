#include "order/FrmAnulaciones.h"

#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmAnulaciones::FrmAnulaciones(BaseDatos& baseDatos, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmAnulaciones")), m_tipos(baseDatos),
      m_grdAnulaciones(new QTableWidget(0, 3, this)) {
    setWindowTitle(QStringLiteral("Razón de la cancelación"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("RAZÓN DE LA CANCELACIÓN"));

    m_grdAnulaciones->setObjectName(QStringLiteral("grdAnulaciones"));
    m_grdAnulaciones->setHorizontalHeaderLabels(
        {QStringLiteral("Razón"), QStringLiteral("Clave"), QStringLiteral("Regresa existencia")});
    m_grdAnulaciones->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdAnulaciones->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdAnulaciones->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdAnulaciones->verticalHeader()->setVisible(false);
    // Rows a finger can hit.
    m_grdAnulaciones->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdAnulaciones->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdAnulaciones->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grdAnulaciones->setMinimumSize(560, 360);
    connect(m_grdAnulaciones, &QTableWidget::cellClicked, this, [this](int fila) {
        if (fila < 0 || fila >= m_tipos.lista().size())
            return;
        m_elegida = m_tipos.lista().at(fila);
        accept();
    });

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdAnulaciones, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdAnulaciones, 1); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addLayout(listaConFlechas(m_grdAnulaciones, arriba, abajo), 1);
    layout->addWidget(cancelar);

    m_tipos.cargar();
    const QList<RazonAnulacion>& lista = m_tipos.lista();
    m_grdAnulaciones->setRowCount(static_cast<int>(lista.size()));
    for (int fila = 0; fila < lista.size(); ++fila) {
        const RazonAnulacion& razon = lista.at(fila);
        m_grdAnulaciones->setItem(fila, 0, new QTableWidgetItem(razon.nombre));
        m_grdAnulaciones->setItem(fila, 1, new QTableWidgetItem(QString::number(razon.id)));
        m_grdAnulaciones->setItem(
            fila, 2,
            new QTableWidgetItem(razon.regresaExistencia ? QStringLiteral("Sí") : QStringLiteral("No")));
    }
}

} // namespace nerin
