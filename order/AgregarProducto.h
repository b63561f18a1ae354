#pragma once

#include "order/TipoLinea.h"
#include "text/Currency.h"

#include <QString>
#include <optional>

namespace nerin {

class ComandaActual;

// Puts products on the account shown, in the grid only: the database is not touched until
// GuardarProductos stores them.
class AgregarProducto {
public:
    // The most one press of the quantity key repeats an item.
    static constexpr int kMaximoRepeticion = 99;

    struct Agregada {
        int fila = -1;                   // where the line went
        bool abrirModificadores = false; // the product's modifiers flow automatically
    };

    explicit AgregarProducto(ComandaActual& comanda);

    // Adds one line for `producto` of kind `tipo`: at the end, or below the product line that row
    // `despuesDe` belongs to. An open-price product is priced `precio` when given, else on the price
    // keypad. Refused (with the reason shown) when the product is sold out, is not on the terminal's
    // menu, or its open price is not given.
    std::optional<Agregada> AñadirProductoAComanda(qint32 producto, TipoLinea tipo, qint32 seccion = 0,
                                                   int despuesDe = -1,
                                                   const std::optional<Currency>& precio = std::nullopt);

    // Adds the product line row `fila` belongs to once more, with its modifiers unless those went to
    // the kitchen already: an ordinary product below it; a package component to its own head, within
    // its section's allowance; a package head after its package, with its components. A gift is
    // repeated as a sale. False when no product is selected ("Requiere elegir un producto a
    // repetir!") or the line could not be repeated, with the reason shown.
    bool repetirUna(int fila);
    // Asks how many more of the product on row `fila` to add and repeats it that many times as
    // repetirUna does, stopping at the first refusal; an open price is asked once for all of them.
    // False when no product is selected, the keypad is cancelled, or the number is refused (1 to
    // kMaximoRepeticion).
    bool repetir(int fila);

private:
    struct Repeticion {
        std::optional<Currency> precio; // an open price typed for the first copy
        bool avisado = false;           // the sent modifiers were said to stay behind
    };
    int seleccionado(int fila);
    bool repetirLinea(int producto, Repeticion& repeticion);
    // Copies the modifiers of row `origen` below the new line on row `destino`.
    void copiarModificadores(int origen, int destino, Repeticion& repeticion);
    void noSePudo();

    ComandaActual& m_comanda;
};

} // namespace nerin
