#include "printing/FrmRedirigirImpresora.h"

#include "printing/FrmEscogerImpresora.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

namespace nerin {

namespace {

// The view's columns shown, by their place in a row: the printer's name and state, then its target's.
const int kColumnas[] = {1, 2, 4, 5};

} // namespace

FrmRedirigirImpresora::FrmRedirigirImpresora(const ContextoImpresion& contexto, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmRedirigirImpresora")), m_contexto(contexto),
      m_redirigir(contexto), m_grdImpresoras(crearListaTactil(QStringLiteral("grdImpresoras"), QString())) {
    setWindowTitle(QStringLiteral("Redirigir impresoras"));
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(QStringLiteral("REDIRIGIR IMPRESORAS"));
    m_grdImpresoras->setColumnCount(static_cast<int>(std::size(kColumnas)));
    m_grdImpresoras->setHorizontalHeaderLabels({QStringLiteral("Impresora"), QStringLiteral("Estado"),
                                                QStringLiteral("Imprime en"), QStringLiteral("Estado")});
    m_grdImpresoras->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grdImpresoras->setMinimumSize(640, 400);
    connect(m_grdImpresoras, &QTableWidget::clicked, this,
            [this](const QModelIndex& indice) { escoger(indice.row()); });

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] {
        m_grdImpresoras->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    });
    connect(abajo, &QPushButton::clicked, this, [this] {
        m_grdImpresoras->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    });
    auto* botones = new QHBoxLayout;
    const auto salida = [this, botones](const QString& texto, const QString& nombre, Salida como) {
        QPushButton* tecla = crearTecla(texto, nombre);
        connect(tecla, &QPushButton::clicked, this, [this, como] {
            m_salida = como;
            reject();
        });
        botones->addWidget(tecla);
    };
    salida(QStringLiteral("Mesas"), QStringLiteral("cmdMesas"), Salida::Mesas);
    salida(QStringLiteral("Salir"), QStringLiteral("cmdSalir"), Salida::Salir);
    salida(QStringLiteral("Cerrar"), QStringLiteral("cmdCerrar"), Salida::Cerrar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(listaConFlechas(m_grdImpresoras, arriba, abajo), 1);
    todo->addLayout(botones);

    Llenar_Spread();
}

void FrmRedirigirImpresora::Llenar_Spread() {
    // A failed read has been reported; the list is then empty.
    std::optional<RecordSet> filas = m_redirigir.Llenar_Spread();
    m_filas = filas ? std::move(*filas) : RecordSet();
    m_grdImpresoras->setRowCount(m_filas.recordCount());
    for (int fila = 0; fila < m_filas.recordCount(); ++fila) {
        const QList<DbValue>& valores = m_filas.rows().at(fila);
        for (int columna = 0; columna < static_cast<int>(std::size(kColumnas)); ++columna)
            m_grdImpresoras->setItem(fila, columna,
                                     new QTableWidgetItem(valores.value(kColumnas[columna]).toString()));
    }
}

void FrmRedirigirImpresora::escoger(int fila) {
    if (fila < 0 || fila >= m_filas.recordCount())
        return;
    FrmEscogerImpresora escoger(m_contexto, this);
    escoger.setImpresora(static_cast<qint16>(m_filas.rows().at(fila).value(0).toInt()));
    escoger.mostrar();
    Llenar_Spread();
}

} // namespace nerin
