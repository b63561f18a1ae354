#pragma once

#include "data/RecordSet.h"

namespace nerin {

class TerminalContext;

// The items cancelled on the working date, as the cancelled-items screen lists them, and the reprint
// of a cancelled item's slip on the terminal's local printer.
class ArtAnulados {
public:
    // The columns of a row, in the order of Vw_Anulaciones.
    enum Columna { kFecha, kMotivo, kGerente, kProducto, kMesa, kComanda, kControl };

    explicit ArtAnulados(TerminalContext& context);

    // Reads the cancelled items; false when the query failed (reported by the data layer), leaving
    // the list empty.
    bool cargar();
    const RecordSet& lista() const { return m_lista; }
    // The text of a cell as it shows and prints: the date as "dd/mm/yyyy hh:mm", the time the item
    // was stamped with, whether the database gives it back as a date or as text.
    QString texto(int fila, Columna columna) const;

    // Prints the slip header of row `fila` again as a ticket job on the local printer, queued whole or
    // not at all. False when there is no such row, the terminal has no local printer (the user is
    // told) or a database step failed (reported by the data layer).
    bool imprimir(int fila);

private:
    TerminalContext& m_context;
    RecordSet m_lista;
};

} // namespace nerin
