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
    // `productos` counts the products selected.
    std::optional<QList<Boton>> ModificarProductoMarcado(int filaActiva, int productos);
    // Adds the predefined modifier under the product of the active row (below its other modifiers
    // and its comment); the new line's row. The selection is checked again as when the panel
    // opened, since it may have changed while the panel stood: nothing selected, several products,
    // or a product already sent to the kitchen are refused with the panel's messages.
    std::optional<int> AñadirModificadorAComanda(qint32 modificador, int filaActiva, int productos);
    // Asks for a free-text modifier for the product of `fila` and adds it between asterisks.
    std::optional<int> modificadorLibre(int fila);

private:
    // The product line that the modifiers would go under, or nothing after saying why not.
    std::optional<int> productoAModificar(int filaActiva, int productos);
    std::optional<int> agregar(int producto, qint32 id, const QString& nombre, const Currency& precio);

    ComandaActual& m_comanda;
};

} // namespace nerin
