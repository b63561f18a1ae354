#include "order/FrmBuscarProducto.h"

#include "text/TextFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmBuscarProducto::FrmBuscarProducto(const RecordSet& encontrados, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmBuscarProducto")), m_encontrados(encontrados) {
    setWindowTitle(QStringLiteral("Buscar Producto"));
    auto* vertical = new QVBoxLayout(this);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(encontrados.recordCount() == 0 ? QStringLiteral("No se encontró ningún producto")
                                                   : QStringLiteral("Productos encontrados"));
    vertical->addWidget(titulo);

    // Columns shown: submenu, full name and price; the product's key stays in the record set.
    const int columnas[] = {1, 3, 4};
    m_grdProductos = new QTableWidget(encontrados.recordCount(), 3, this);
    m_grdProductos->setObjectName(QStringLiteral("grdProductos"));
    m_grdProductos->setHorizontalHeaderLabels(
        {QStringLiteral("Submenú"), QStringLiteral("Producto"), QStringLiteral("Precio")});
    m_grdProductos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdProductos->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdProductos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdProductos->verticalHeader()->setVisible(false);
    m_grdProductos->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grdProductos->setMinimumSize(700, 400);
    for (int fila = 0; fila < encontrados.recordCount(); ++fila)
        for (int c = 0; c < 3; ++c) {
            const DbValue valor = encontrados.rows().at(fila).value(columnas[c]);
            const QString texto =
                c == 2 ? TextFormat::number(valor.toCurrency(), u"#,##0.00") : valor.toString();
            m_grdProductos->setItem(fila, c, new QTableWidgetItem(texto));
        }
    vertical->addWidget(m_grdProductos, 1);
    auto* botones = new QHBoxLayout;
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { this->aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_grdProductos, &QTableWidget::cellDoubleClicked, this, [this] { this->aceptar(); });
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    vertical->addLayout(botones);
}

void FrmBuscarProducto::aceptar() {
    const int fila = m_grdProductos->currentRow();
    if (fila < 0 || fila >= m_encontrados.recordCount())
        return;
    m_producto = static_cast<qint32>(m_encontrados.rows().at(fila).value(0).toInt());
    accept();
}

} // namespace nerin
