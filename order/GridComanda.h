#pragma once

#include "order/CuadriculaComanda.h"

#include <QTableWidget>

namespace nerin {

// The order screen's item grid: the account's lines in the grid's nine columns, coloured by kind and
// dispatch (time headers, lines sent to the kitchen, held lines).
//
// What is shown selected is what the screen's keys act on. A product is selected and deselected as
// one with its modifiers and comment (SeleccionarProductoConModificadores). A touch takes the
// touched product in or out of the selection; but a line the screen chose itself (the line just
// added or modified) is only a starting point: the first touch replaces it, so that it never goes
// to the kitchen beside the dish the waiter touched.
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
    // How many products are selected, a serving-time header counting as one.
    int productosSeleccionados() const;
    // Makes the lines of `fila`'s product follow `fila`: all selected when it is, none when not.
    void SeleccionarProductoConModificadores(int fila);
    // Selects `fila`'s product alone, as the screen's own choice, which the next touch replaces.
    void elegir(int fila);
    // The preparation times in place of the prices, or back.
    void verTiempos(bool tiempos);
    // Moves the first visible row by `filas`.
    void desplazar(int filas);

protected:
    // The view never changes the selection by itself; touches go through tocar().
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // A finger on row `fila`.
    void tocar(int fila);
    void marcar(int fila, bool seleccionada);

    const CuadriculaComanda& m_cuadricula;
    bool m_elegidaPorPantalla = false;
};

} // namespace nerin
