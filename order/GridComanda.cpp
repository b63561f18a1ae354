#include "order/GridComanda.h"

#include "text/TextFormat.h"

#include <QHeaderView>
#include <QScrollBar>

namespace nerin {

namespace {

const QColor kPreparado(255, 128, 0);
const QColor kEncabezado(80, 128, 255);
const QColor kRetenido(0, 0, 255);

QColor colorDe(const LineaComanda& linea) {
    if (linea.tipo == QLatin1String("T"))
        return kEncabezado;
    if (linea.preparado || linea.tipo == QLatin1String("C") || linea.despacho == QLatin1String("1"))
        return kPreparado;
    if (linea.despacho == QLatin1String("2"))
        return kRetenido;
    return {};
}

} // namespace

GridComanda::GridComanda(const CuadriculaComanda& cuadricula, QWidget* parent)
    : QTableWidget(0, kColumnas, parent), m_cuadricula(cuadricula) {
    setObjectName(QStringLiteral("grdComanda"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // A touch adds a row to the selection or takes it out; a product comes with its lines.
    setSelectionMode(QAbstractItemView::MultiSelection);
    connect(this, &QTableWidget::cellClicked, this,
            [this](int fila) { SeleccionarProductoConModificadores(fila); });
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(cTexto, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(cPrecio, QHeaderView::Fixed);
    setColumnWidth(cPrecio, 90);
    setColumnWidth(cHora, 90);
    setMinimumWidth(320);
    setWordWrap(true);
    for (int c : {cFolio, cTipo, cId, cDespacho, cGrupo, cHora, cSeccion})
        setColumnHidden(c, true);
}

void GridComanda::mostrar() {
    const QList<LineaComanda>& lineas = m_cuadricula.lineas();
    clearSelection();
    setRowCount(static_cast<int>(lineas.size()));
    for (int fila = 0; fila < lineas.size(); ++fila) {
        const LineaComanda& linea = lineas.at(fila);
        const bool sinPrecio = linea.tipo == QLatin1String("T") || linea.tipo == QLatin1String("C");
        const QString celdas[kColumnas] = {
            linea.folio ? QString::number(linea.folio) : QString(),
            linea.tipo,
            QString::number(linea.id),
            QString(linea.texto).replace(QStringLiteral("<N>"), QStringLiteral("\n")).replace(u'\t', u' '),
            sinPrecio ? QString() : TextFormat::number(linea.precio, u"#,##0.00"),
            linea.despacho,
            QString::number(linea.grupoImpresoras),
            linea.horaPreparacion,
            linea.seccion ? QString::number(linea.seccion) : QString(),
        };
        const QColor color = colorDe(linea);
        for (int c = 0; c < kColumnas; ++c) {
            auto* celda = new QTableWidgetItem(celdas[c]);
            if (c == cPrecio || c == cHora)
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (color.isValid())
                celda->setForeground(color);
            setItem(fila, c, celda);
        }
    }
    resizeRowsToContents();
}

QList<int> GridComanda::seleccionadas() const {
    QList<int> filas;
    for (const QModelIndex& indice : selectionModel()->selectedRows())
        filas << indice.row();
    std::sort(filas.begin(), filas.end());
    return filas;
}

int GridComanda::filaSeleccionada() const {
    const QList<int> filas = seleccionadas();
    if (filas.isEmpty())
        return -1;
    return filas.contains(currentRow()) ? currentRow() : filas.last();
}

void GridComanda::SeleccionarProductoConModificadores(int fila) {
    const int producto = m_cuadricula.productoDe(fila);
    if (producto < 0 || !selectionModel()->isRowSelected(fila, {}))
        return;
    for (int i = producto; i < m_cuadricula.finDeProducto(producto); ++i)
        if (!selectionModel()->isRowSelected(i, {}))
            selectRow(i);
}

void GridComanda::verTiempos(bool tiempos) {
    setColumnHidden(cPrecio, tiempos);
    setColumnHidden(cHora, !tiempos);
}

void GridComanda::desplazar(int filas) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + filas);
}

} // namespace nerin
