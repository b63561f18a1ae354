#pragma once

#include <QString>

namespace nerin {

// A grid as ImprimirSpread prints it, implemented by the report screens over their own grids. Rows and
// columns are numbered from 0 and include the title rows (above the first body row: the column titles)
// and title columns (left of the first body column: the row titles).
class PrintableGrid {
public:
    enum class CellType { Text, Currency, Percent, Button, Date, Time };

    struct Cell {
        // Currency cells hold their value as a plain number ("1234.5"), or "" when empty; button cells
        // their caption; every other type the text shown.
        QString text;
        CellType type = CellType::Text;
        bool bold = false;
        double fontSize = 10; // points
    };

    virtual ~PrintableGrid() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual int firstBodyRow() const = 0;
    virtual int firstBodyColumn() const = 0;
    virtual bool columnHidden(int column) const = 0;
    virtual Cell cell(int row, int column) const = 0;
};

} // namespace nerin
