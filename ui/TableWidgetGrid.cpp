#include "ui/TableWidgetGrid.h"

#include <QTableWidget>

namespace nerin {

TableWidgetGrid::TableWidgetGrid(const QTableWidget& tabla) : m_tabla(tabla) {}

void TableWidgetGrid::setTipoColumna(int columna, CellType tipo) {
    if (columna < 0)
        return;
    while (m_tipos.size() <= columna)
        m_tipos.append(CellType::Text);
    m_tipos[columna] = tipo;
}

int TableWidgetGrid::rowCount() const {
    return m_tabla.rowCount() + 1;
}

int TableWidgetGrid::columnCount() const {
    return m_tabla.columnCount();
}

bool TableWidgetGrid::columnHidden(int column) const {
    return m_tabla.isColumnHidden(column);
}

PrintableGrid::Cell TableWidgetGrid::cell(int row, int column) const {
    Cell celda;
    if (row == 0) {
        const QTableWidgetItem* titulo = m_tabla.horizontalHeaderItem(column);
        celda.text = titulo ? titulo->text() : QString();
        celda.bold = true;
        return celda;
    }
    if (const QTableWidgetItem* item = m_tabla.item(row - 1, column))
        celda.text = item->text();
    celda.type = m_tipos.value(column, CellType::Text);
    return celda;
}

} // namespace nerin
