#pragma once

#include <QString>
#include <QStringView>

namespace nerin {

// The kind of a line of the order screen's item grid. The grid shows it, and the store step
// writes it, as the text of textoTipoLinea().
enum class TipoLinea {
    Tiempo,       // "T": a serving-time header, not an item
    Producto,     // "P": an ordinary product
    Paquete,      // "PP": a package head, or a package component in no section
    Componente,   // "PA": a product chosen in a package section
    ProductoMenu, // "PM": stored and sent to the kitchen like an ordinary product
    Modificador,  // "M": a modifier of the product line above it
    Comentario,   // "C": the comment of the product line above it
};

// Whether a product has gone to the kitchen: not yet, sent to be prepared now, or held for its
// course. Shown in the grid and stored as the text of textoDespacho().
enum class MarcaDespacho {
    Ninguna,  // ""
    Preparar, // "1"
    Retener,  // "2"
};

QString textoTipoLinea(TipoLinea tipo);
// A text that names no kind reads as an ordinary product: whatever it is, it is an item on the
// account, and as a product it is still totalled, stored, sent to the kitchen and cancellable.
TipoLinea tipoLineaDeTexto(QStringView texto);

QString textoDespacho(MarcaDespacho marca);
// A text that names no mark reads as not sent: the item can then still be sent, where taking it
// for sent would keep it from the kitchen for good.
MarcaDespacho despachoDeTexto(QStringView texto);

} // namespace nerin
