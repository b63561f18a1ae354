#include "reports/HojaResumen.h"

#include <algorithm>

namespace nerin {

namespace {

const HojaResumen::Celda kVacia;

} // namespace

HojaResumen::HojaResumen(QStringList titulos)
    : m_titulos(std::move(titulos)), m_ocultas(m_titulos.size(), false) {}

QList<HojaResumen::Celda>& HojaResumen::nuevaFila() {
    m_filas.append(QList<Celda>(m_titulos.size()));
    return m_filas.last();
}

int HojaResumen::agregarTexto(const QStringList& textos, bool negrita) {
    QList<Celda>& fila = nuevaFila();
    for (int columna = 0; columna < fila.size(); ++columna)
        fila[columna] = Celda{textos.value(columna), std::nullopt, negrita};
    return filas();
}

int HojaResumen::agregarMontos(const QString& etiqueta, const QList<Currency>& montos, bool negrita) {
    QList<Celda>& fila = nuevaFila();
    for (int columna = 0; columna < fila.size(); ++columna)
        fila[columna].negrita = negrita;
    if (!fila.isEmpty())
        fila[0].texto = etiqueta;
    for (int i = 0; i < montos.size() && i + 1 < fila.size(); ++i)
        fila[i + 1].monto = montos.at(i);
    return filas();
}

int HojaResumen::agregarVacia() {
    nuevaFila();
    return filas();
}

int HojaResumen::agregarSuma(const QString& etiqueta, int desde, int hasta, const QList<int>& columnas,
                             bool negrita) {
    // Worked out before the row exists, so a range that reaches the new row never counts it.
    QList<Currency> sumas;
    for (const int columna : columnas)
        sumas.append(suma(columna, desde, hasta));
    QList<Celda>& fila = nuevaFila();
    for (Celda& celda : fila)
        celda.negrita = negrita;
    if (!fila.isEmpty())
        fila[0].texto = etiqueta;
    for (int i = 0; i < columnas.size(); ++i) {
        if (columnas.at(i) >= 0 && columnas.at(i) < fila.size())
            fila[columnas.at(i)].monto = sumas.at(i);
    }
    return filas();
}

Currency HojaResumen::suma(int columna, int desde, int hasta) const {
    Currency total;
    for (int fila = std::max(desde, 1); fila <= std::min(hasta, filas()); ++fila)
        total += celda(fila, columna).monto.value_or(Currency());
    return total;
}

const HojaResumen::Celda& HojaResumen::celda(int fila, int columna) const {
    if (fila < 1 || fila > filas() || columna < 0 || columna >= m_titulos.size())
        return kVacia;
    return m_filas.at(fila - 1).at(columna);
}

void HojaResumen::setCelda(int fila, int columna, Celda celda) {
    if (fila < 1 || fila > filas() || columna < 0 || columna >= m_titulos.size())
        return;
    m_filas[fila - 1][columna] = std::move(celda);
}

void HojaResumen::setColumnaOculta(int columna, bool oculta) {
    if (columna >= 0 && columna < m_ocultas.size())
        m_ocultas[columna] = oculta;
}

bool HojaResumen::columnHidden(int column) const {
    return m_ocultas.value(column, false);
}

PrintableGrid::Cell HojaResumen::cell(int row, int column) const {
    if (row == 0)
        return Cell{m_titulos.value(column), CellType::Text, true};
    const Celda& valor = celda(row, column);
    if (valor.monto)
        return Cell{valor.monto->toPlainText(), CellType::Currency, valor.negrita};
    return Cell{valor.texto, CellType::Text, valor.negrita};
}

} // namespace nerin
