#pragma once

#include "printing/PrintableGrid.h"

#include <QList>
#include <QSet>
#include <functional>

namespace nerin::fakes {

// A grid held in memory: rows of cells, with the title rows and columns and hidden columns a test
// chooses.
class TableGrid : public PrintableGrid {
public:
    int rowCount() const override { return static_cast<int>(rows.size()); }
    int columnCount() const override { return rows.isEmpty() ? 0 : static_cast<int>(rows.first().size()); }
    int firstBodyRow() const override { return titleRows; }
    int firstBodyColumn() const override { return titleColumns; }
    bool columnHidden(int column) const override { return hidden.contains(column); }
    Cell cell(int row, int column) const override {
        if (onCell)
            onCell(row, column);
        return rows.value(row).value(column);
    }

    QList<QList<Cell>> rows;
    int titleRows = 0;
    int titleColumns = 0;
    QSet<int> hidden;
    // Called before each cell is read, to change the world halfway through a printout.
    std::function<void(int row, int column)> onCell;
};

} // namespace nerin::fakes
