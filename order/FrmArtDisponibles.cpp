#include "order/FrmArtDisponibles.h"

#include "startup/TerminalContext.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmArtDisponibles::FrmArtDisponibles(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmArtDisponibles")), m_existencias(context) {
    setWindowTitle(QStringLiteral("Artículos disponibles"));
    auto* vertical = new QVBoxLayout(this);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("ARTICULOS DISPONIBLES"));
    vertical->addWidget(titulo);
    auto* listas = new QHBoxLayout;
    vertical->addLayout(listas, 1);

    m_lstCategorias = new QListWidget(this);
    m_lstCategorias->setObjectName(QStringLiteral("lstCategorias"));
    auto* todas = new QListWidgetItem(QStringLiteral("TODAS"), m_lstCategorias);
    todas->setData(Qt::UserRole, 0);
    if (const auto categorias = m_existencias.categorias()) {
        const int cId = categorias->columnIndex(u"ID_SubMenu");
        const int cNombre = categorias->columnIndex(u"Nombre_SubMenu");
        for (const QList<DbValue>& fila : categorias->rows()) {
            auto* item = new QListWidgetItem(fila.value(cNombre).toString(), m_lstCategorias);
            item->setData(Qt::UserRole, static_cast<int>(fila.value(cId).toInt()));
        }
    }
    connect(m_lstCategorias, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* actual) {
        if (actual)
            llenarProductos(actual->data(Qt::UserRole).toInt());
    });
    listas->addWidget(m_lstCategorias, 1);

    m_grdProductos = new QTableWidget(0, 2, this);
    m_grdProductos->setObjectName(QStringLiteral("grdProductos"));
    m_grdProductos->setHorizontalHeaderLabels({QStringLiteral("Producto"), QStringLiteral("Existencia")});
    m_grdProductos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdProductos->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdProductos->verticalHeader()->setVisible(false);
    m_grdProductos->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grdProductos->setMinimumSize(560, 420);
    connect(m_grdProductos, &QTableWidget::cellClicked, this, [this](int fila) { fijar(fila); });
    listas->addWidget(m_grdProductos, 2);

    QPushButton* salir = crearTecla(QStringLiteral("Salir"), QStringLiteral("cmdSalir"));
    connect(salir, &QPushButton::clicked, this, [this] { accept(); });
    vertical->addWidget(salir);
    llenarProductos(0);
}

void FrmArtDisponibles::llenarProductos(qint32 categoria) {
    const auto productos = m_existencias.productos(categoria);
    if (!productos)
        return;
    m_productos = *productos;
    const int cNombre = m_productos.columnIndex(u"Nombre_Cuenta");
    const int cExistencia = m_productos.columnIndex(u"Existencia");
    m_grdProductos->setRowCount(m_productos.recordCount());
    for (int fila = 0; fila < m_productos.recordCount(); ++fila) {
        const QList<DbValue>& datos = m_productos.rows().at(fila);
        m_grdProductos->setItem(fila, 0, new QTableWidgetItem(datos.value(cNombre).toString()));
        auto* existencia = new QTableWidgetItem(datos.value(cExistencia).toString());
        existencia->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grdProductos->setItem(fila, 1, existencia);
    }
}

void FrmArtDisponibles::fijar(int fila) {
    if (fila < 0 || fila >= m_productos.recordCount())
        return;
    const QList<DbValue>& datos = m_productos.rows().at(fila);
    const auto producto = static_cast<qint32>(datos.value(m_productos.columnIndex(u"Id_Producto")).toInt());
    const QString nombre = datos.value(m_productos.columnIndex(u"Nombre_Cuenta")).toString();
    if (const auto nueva = m_existencias.fijar(producto, nombre))
        m_grdProductos->item(fila, 1)->setText(QString::number(*nueva));
}

} // namespace nerin
