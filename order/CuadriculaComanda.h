#pragma once

#include "order/LineaComanda.h"

#include <QList>
#include <functional>
#include <utility>

namespace nerin {

class RecordSet;

// The lines of the account on the order screen, in the order they are shown. It knows how lines
// belong together (a product line is followed by its modifiers and its comment) and nothing of the
// database or the screen.
class CuadriculaComanda {
public:
    // The package section a component was ordered in, or 0 when it belongs to none; asked with the
    // component's product and its package head's folio.
    using SeccionDePaquete = std::function<qint32(qint32 idProducto, qint32 idPaquete)>;

    // Rebuilds the lines from Vw_Comanda's rows, which come one per item and modifier: each item is
    // shown once, followed by all its modifiers and then its comment. With `conTiempos` a "T" header
    // goes before each change of serving time.
    void cargar(const RecordSet& filas, bool conTiempos, const SeccionDePaquete& seccionDe);

    const QList<LineaComanda>& lineas() const { return m_lineas; }
    QList<LineaComanda>& lineas() { return m_lineas; }
    int size() const { return static_cast<int>(m_lineas.size()); }
    void clear() { m_lineas.clear(); }

    // Where a new product goes: the end, or, with `despuesDe` a valid row, below the product line
    // that row belongs to and below that product's modifiers and comment.
    int posicionNueva(int despuesDe) const;
    // Inserts a line at `fila` (clamped to the grid) and returns where it went.
    int insertar(int fila, LineaComanda linea);

    // The product line a row belongs to: the row itself or the nearest product line above it; -1
    // for a serving-time header or when there is none.
    int productoDe(int fila) const;
    // The rows after the product line `fila` that belong to it (its "M" and "C" lines).
    int finDeProducto(int fila) const;
    // The rows [first, second) that are touched, selected and sent as one with row `fila`: its
    // product line with that product's modifiers and comment, or the row alone when it belongs to no
    // product (a serving-time header).
    std::pair<int, int> unidad(int fila) const;

    // Whether row `fila` is a package head: a "PP" line that is its own package, not a stored line
    // of another package shown as ">>".
    bool esCabeza(int fila) const;
    // The package head a component row belongs to: for a stored component the head with its
    // package's folio, for a new one the nearest head above it; -1 when there is none.
    int cabezaDe(int fila) const;
    // The row after the package head `cabeza`'s block: the head and the components that follow it,
    // each with its modifiers and comment.
    int finDePaquete(int cabeza) const;

    // The sum of the prices of all lines.
    Currency total() const;
    // How many product lines of `idProducto` are not stored yet.
    int noGuardados(qint32 idProducto) const;
    // Whether any line waits for the store step: lines not stored, or stored lines whose dispatch
    // mark changed.
    bool hayNoGuardadas() const;

private:
    QList<LineaComanda> m_lineas;
};

} // namespace nerin
