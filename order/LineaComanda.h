#pragma once

#include "order/TipoLinea.h"
#include "text/Currency.h"

#include <QString>

namespace nerin {

// One line of the order screen's item grid: a serving-time header, a product, a modifier of the
// product above it, or that product's comment. The grid's nine columns are the fields below in
// order; the price without tax, the header's time and the prepared mark are the grid's hidden data.
struct LineaComanda {
    qint32 folio = 0; // 1: ID_ProductosXCuenta; 0 while not stored (a modifier: its item's)
    TipoLinea tipo = TipoLinea::Producto;            // 2
    qint32 id = 0;                                   // 3: the product, the modifier type, or 0 on a comment
    QString texto;                                   // 4: name, modifier, comment or "Tiempo:\t<n>"
    Currency precio;                                 // 5: summed for the total; 0 on a comment
    MarcaDespacho despacho = MarcaDespacho::Ninguna; // 6
    qint32 grupoImpresoras{};                        // 7: the product's printer group
    QString horaPreparacion;                         // 8: "hh:mm" once sent to the kitchen
    qint32 seccion = 0;                              // 9: the package section of a component
    // A stored line's package: its head's folio (a head's own), 0 outside any package or not stored.
    qint32 paquete = 0;
    qint32 promocion = 0; // the promotion a gift line is given under, 0 for any other line
    Currency precioSinImpuesto;
    qint16 tiempo = 0;      // the serving time a "T" header stands for
    bool preparado = false; // sent to the kitchen: drawn in the prepared colour
    // A stored line whose dispatch mark changed on the screen and is not in the database yet.
    bool despachoPendiente = false;

    bool esProducto() const {
        return tipo == TipoLinea::Producto || tipo == TipoLinea::Paquete || tipo == TipoLinea::Componente ||
               tipo == TipoLinea::ProductoMenu;
    }
    bool guardada() const { return folio != 0; }
};

} // namespace nerin
