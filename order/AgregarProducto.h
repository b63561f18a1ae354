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

    // Asks how many more of the product on row `fila` to add and adds them below it, each with the
    // product's modifiers (unless those went to the kitchen already); an open price is asked once
    // for all of them. False when no product is selected ("Requiere elegir un producto a repetir!"),
    // the keypad is cancelled, or the number is refused (1 to kMaximoRepeticion).
    bool repetir(int fila);

private:
    ComandaActual& m_comanda;
};

} // namespace nerin
