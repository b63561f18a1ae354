#pragma once

#include "text/Currency.h"

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

class ComandaActual;

// The modifiers of the account's products: the predefined ones of the product's group, offered as
// buttons, and short free texts typed on the keyboard. A free-text modifier is stored with modifier
// type 0 and price 0: it is an instruction, not something sold.
class Modificadores {
public:
    static constexpr int kLetrasLibres = 17;

    struct Boton {
        qint32 id = 0;
        QString caption;
        Currency precio;
    };

    explicit Modificadores(ComandaActual& comanda);

    // The modifier buttons for the product of the active row, or nothing after saying why not.
    // `seleccionadas` counts the rows selected.
    std::optional<QList<Boton>> ModificarProductoMarcado(int filaActiva, int seleccionadas);
    // Adds the predefined modifier under the product of `fila` (below its other modifiers and its
    // comment); the new line's row.
    std::optional<int> AñadirModificadorAComanda(qint32 modificador, int fila);
    // Asks for a free-text modifier for the product of `fila` and adds it between asterisks.
    std::optional<int> modificadorLibre(int fila);

private:
    std::optional<int> agregar(int producto, qint32 id, const QString& nombre, const Currency& precio);

    ComandaActual& m_comanda;
};

} // namespace nerin
