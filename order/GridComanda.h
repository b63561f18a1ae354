#pragma once

#include "order/CuadriculaComanda.h"

#include <QTableWidget>

namespace nerin {

// The order screen's item grid: the account's lines in the grid's nine columns, coloured by kind and
// dispatch (time headers, lines sent to the kitchen, held lines), touched rows added to the selection
// with the lines of their product.
class GridComanda : public QTableWidget {
public:
    enum Columna { cFolio, cTipo, cId, cTexto, cPrecio, cDespacho, cGrupo, cHora, cSeccion, kColumnas };

    explicit GridComanda(const CuadriculaComanda& cuadricula, QWidget* parent = nullptr);

    // Shows the lines as they are now.
    void mostrar();
    // The selected rows, top to bottom.
    QList<int> seleccionadas() const;
    // The row worked on: the one touched last when selected, else the last selected; -1 for none.
    int filaSeleccionada() const;
    // When `fila` is selected, selects the rest of its product's lines too.
    void SeleccionarProductoConModificadores(int fila);
    // The preparation times in place of the prices, or back.
    void verTiempos(bool tiempos);
    // Moves the first visible row by `filas`.
    void desplazar(int filas);

private:
    const CuadriculaComanda& m_cuadricula;
};

} // namespace nerin
