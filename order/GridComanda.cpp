#include "order/GridComanda.h"

#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QHeaderView>
#include <QScrollBar>

namespace nerin {

namespace {

const QColor kPreparado(TouchTheme::kTextoNaranja);
const QColor kEncabezado(TouchTheme::kTextoAzul);
const QColor kRetenido(TouchTheme::kTextoRetenido);

QColor colorDe(const LineaComanda& linea) {
    if (linea.tipo == TipoLinea::Tiempo)
        return kEncabezado;
    if (linea.preparado || linea.tipo == TipoLinea::Comentario || linea.despacho == MarcaDespacho::Preparar)
        return kPreparado;
    if (linea.despacho == MarcaDespacho::Retener)
        return kRetenido;
    return {};
}

} // namespace

GridComanda::GridComanda(const CuadriculaComanda& cuadricula, QWidget* parent)
    : QTableWidget(0, kColumnas, parent), m_cuadricula(cuadricula) {
    setObjectName(QStringLiteral("grdComanda"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several products can be selected at once; touches are handled by tocar(), a click that
    // selected a row some other way completes its product.
    setSelectionMode(QAbstractItemView::MultiSelection);
    auto alTocar = [this](const QModelIndex& indice) {
        if (indice.isValid())
            tocar(indice.row());
    };
    connect(this, &QAbstractItemView::pressed, this, alTocar);
    // A second touch on the same row in quick succession reaches the view as a double click.
    connect(this, &QAbstractItemView::doubleClicked, this, alTocar);
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
    m_elegidaPorPantalla = false;
    setRowCount(static_cast<int>(lineas.size()));
    for (int fila = 0; fila < lineas.size(); ++fila) {
        const LineaComanda& linea = lineas.at(fila);
        const bool sinPrecio = linea.tipo == TipoLinea::Tiempo || linea.tipo == TipoLinea::Comentario;
        const QString celdas[kColumnas] = {
            linea.folio ? QString::number(linea.folio) : QString(),
            textoTipoLinea(linea.tipo),
            QString::number(linea.id),
            QString(linea.texto).replace(QStringLiteral("<N>"), QStringLiteral("\n")).replace(u'\t', u' '),
            sinPrecio ? QString() : TextFormat::number(linea.precio, u"#,##0.00"),
            textoDespacho(linea.despacho),
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

QItemSelectionModel::SelectionFlags GridComanda::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    if (event)
        return QItemSelectionModel::NoUpdate;
    return QTableWidget::selectionCommand(index, event);
}

void GridComanda::marcar(int fila, bool seleccionada) {
    const auto [desde, hasta] = m_cuadricula.unidad(fila);
    if (desde < 0 || hasta > rowCount() || desde >= hasta)
        return;
    const QItemSelection filas(model()->index(desde, 0), model()->index(hasta - 1, kColumnas - 1));
    selectionModel()->select(filas,
                             seleccionada ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void GridComanda::tocar(int fila) {
    const bool estaba = selectionModel()->isRowSelected(fila, {});
    if (m_elegidaPorPantalla) {
        m_elegidaPorPantalla = false;
        clearSelection();
    }
    marcar(fila, !estaba);
}

int GridComanda::productosSeleccionados() const {
    QList<int> unidades;
    for (int fila : seleccionadas())
        if (const int primera = m_cuadricula.unidad(fila).first; !unidades.contains(primera))
            unidades << primera;
    return static_cast<int>(unidades.size());
}

void GridComanda::SeleccionarProductoConModificadores(int fila) {
    if (fila < 0 || fila >= rowCount())
        return;
    m_elegidaPorPantalla = false;
    marcar(fila, selectionModel()->isRowSelected(fila, {}));
}

void GridComanda::elegir(int fila) {
    if (fila < 0 || fila >= rowCount())
        return;
    clearSelection();
    selectionModel()->setCurrentIndex(model()->index(fila, cTexto), QItemSelectionModel::NoUpdate);
    marcar(fila, true);
    m_elegidaPorPantalla = true;
}

void GridComanda::verTiempos(bool tiempos) {
    setColumnHidden(cPrecio, tiempos);
    setColumnHidden(cHora, !tiempos);
}

void GridComanda::desplazar(int filas) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + filas);
}

} // namespace nerin
