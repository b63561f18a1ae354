#pragma once

#include "printing/PrintableGrid.h"
#include "text/Currency.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

// The grid of a summary screen, as the screen shows it and as ImprimirSpread prints it: a row of
// column titles (row 0, empty titles allowed) and the body rows below it. A cell holds a text or an
// amount. Sum rows are worked out here, exactly, over the amounts of a range of rows: a range with no
// rows, or with no amounts in it, sums to 0.00, so an empty day shows zeros and never an error.
//
// Body rows are numbered from 1, as the screens' formulas count them ("SUM(B1:B" + n + ")"); column 0
// is the first column.
class HojaResumen : public PrintableGrid {
public:
    struct Celda {
        QString texto;                 // what a text cell shows; ignored when `monto` is set
        std::optional<Currency> monto; // an amount cell
        bool negrita = false;
    };

    explicit HojaResumen(QStringList titulos);

    // Appends a body row of texts (the first columns; the rest stay empty) and returns its number.
    int agregarTexto(const QStringList& textos, bool negrita = false);
    // Appends a body row: `etiqueta` in column 0 and `montos` in the columns after it.
    int agregarMontos(const QString& etiqueta, const QList<Currency>& montos, bool negrita = false);
    // Appends an empty body row.
    int agregarVacia();
    // Appends a row with `etiqueta` in column 0 and, in each column of `columnas`, the sum of that
    // column over the body rows `desde`..`hasta` (inclusive; none when hasta < desde).
    int agregarSuma(const QString& etiqueta, int desde, int hasta, const QList<int>& columnas,
                    bool negrita = false);

    // The sum of column `columna`'s amounts over the body rows `desde`..`hasta`.
    Currency suma(int columna, int desde, int hasta) const;
    // The number of body rows (the number of the last one).
    int filas() const { return static_cast<int>(m_filas.size()); }
    const Celda& celda(int fila, int columna) const; // body row `fila` (from 1)
    QString titulo(int columna) const { return m_titulos.value(columna); }
    // Sets a cell of an existing body row.
    void setCelda(int fila, int columna, Celda celda);

    // Hidden columns are neither shown nor printed.
    void setColumnaOculta(int columna, bool oculta);

    // PrintableGrid: row 0 holds the titles, amounts are Currency cells.
    int rowCount() const override { return filas() + 1; }
    int columnCount() const override { return static_cast<int>(m_titulos.size()); }
    int firstBodyRow() const override { return 1; }
    int firstBodyColumn() const override { return 0; }
    bool columnHidden(int column) const override;
    Cell cell(int row, int column) const override;

private:
    QList<Celda>& nuevaFila();

    QStringList m_titulos;
    QList<QList<Celda>> m_filas;
    QList<bool> m_ocultas;
};

} // namespace nerin
