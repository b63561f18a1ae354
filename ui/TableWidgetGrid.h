#pragma once

#include "printing/PrintableGrid.h"

#include <QList>

class QTableWidget;

namespace nerin {

// A screen's table widget as ImprimirSpread prints it: the header labels as the one title row, no
// title column, the columns hidden on the screen hidden on paper, and the cells as the screen shows
// them, in the type the screen gives their column (text unless told), at the printer's normal size.
// The table must outlive the adapter.
class TableWidgetGrid : public PrintableGrid {
public:
    explicit TableWidgetGrid(const QTableWidget& tabla);

    void setTipoColumna(int columna, CellType tipo);

    int rowCount() const override;
    int columnCount() const override;
    int firstBodyRow() const override { return 1; }
    int firstBodyColumn() const override { return 0; }
    bool columnHidden(int column) const override;
    Cell cell(int row, int column) const override;

private:
    const QTableWidget& m_tabla;
    QList<CellType> m_tipos;
};

} // namespace nerin
