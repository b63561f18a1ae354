#include "tables/FrmListaMesas.h"

#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

QString celda(const DbValue& valor, bool dinero) {
    if (dinero || valor.type() == DbValue::Type::Currency)
        return TextFormat::number(valor.toCurrency(), u"#,##0.00");
    if (valor.type() == DbValue::Type::DateTime)
        return valor.toDateTime().toString(QStringLiteral("HH:mm"));
    return valor.toString();
}

} // namespace

FrmListaMesas::FrmListaMesas(QWidget* parent, const QString& nombre, const QString& titulo,
                             const QString& accion, const QString& nombreAccion, bool conSalidas)
    : ModalScreen(parent, nombre), m_grdMesas(new QTableWidget(this)) {
    setWindowTitle(titulo);
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(titulo);
    m_grdMesas->setObjectName(QStringLiteral("grdMesas"));
    m_grdMesas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdMesas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdMesas->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdMesas->verticalHeader()->setVisible(false);
    // Rows a finger can hit.
    m_grdMesas->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdMesas->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdMesas->horizontalHeader()->setStretchLastSection(true);
    m_grdMesas->setMinimumSize(640, 400);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdMesas, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdMesas, 1); });
    auto* botones = new QHBoxLayout;
    QPushButton* cmdAccion = crearTecla(accion, nombreAccion);
    connect(cmdAccion, &QPushButton::clicked, this, [this] { this->accion(); });
    botones->addWidget(cmdAccion);
    const auto salir = [this, botones](const QString& texto, const QString& nombreTecla, Salida salida) {
        QPushButton* tecla = crearTecla(texto, nombreTecla);
        connect(tecla, &QPushButton::clicked, this, [this, salida] {
            m_salida = salida;
            reject();
        });
        botones->addWidget(tecla);
    };
    salir(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"), Salida::Cancelar);
    if (conSalidas) {
        salir(QStringLiteral("Mesas"), QStringLiteral("cmdMesas"), Salida::Mesas);
        salir(QStringLiteral("Salir"), QStringLiteral("cmdSalir"), Salida::Salir);
    }

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(listaConFlechas(m_grdMesas, arriba, abajo), 1);
    todo->addLayout(botones);
}

void FrmListaMesas::mostrarFilas(std::optional<RecordSet> filas, const QList<Columna>& columnas) {
    m_filas = filas ? std::move(*filas) : RecordSet();
    m_grdMesas->clear();
    m_grdMesas->setColumnCount(static_cast<int>(columnas.size()));
    QStringList titulos;
    for (const Columna& columna : columnas)
        titulos.append(columna.titulo);
    m_grdMesas->setHorizontalHeaderLabels(titulos);
    m_grdMesas->setRowCount(m_filas.recordCount());
    for (int fila = 0; fila < m_filas.recordCount(); ++fila) {
        const QList<DbValue>& valores = m_filas.rows().at(fila);
        for (int c = 0; c < columnas.size(); ++c)
            m_grdMesas->setItem(fila, c,
                                new QTableWidgetItem(celda(valores.value(columnas[c].indice),
                                                           columnas[c].titulo == u"Total")));
    }
}

const QList<DbValue>* FrmListaMesas::filaElegida() const {
    const int fila = m_grdMesas->selectionModel()->hasSelection() ? m_grdMesas->currentRow() : -1;
    if (fila < 0 || fila >= m_filas.recordCount())
        return nullptr;
    return &m_filas.rows().at(fila);
}

} // namespace nerin
