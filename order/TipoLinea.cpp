#include "order/TipoLinea.h"

#include <array>
#include <utility>

namespace nerin {

namespace {

constexpr std::array<std::pair<TipoLinea, QStringView>, 7> kTipos{{
    {TipoLinea::Tiempo, u"T"},
    {TipoLinea::Producto, u"P"},
    {TipoLinea::Paquete, u"PP"},
    {TipoLinea::Componente, u"PA"},
    {TipoLinea::ProductoMenu, u"PM"},
    {TipoLinea::Modificador, u"M"},
    {TipoLinea::Comentario, u"C"},
}};

constexpr std::array<std::pair<MarcaDespacho, QStringView>, 3> kMarcas{{
    {MarcaDespacho::Ninguna, u""},
    {MarcaDespacho::Preparar, u"1"},
    {MarcaDespacho::Retener, u"2"},
}};

} // namespace

QString textoTipoLinea(TipoLinea tipo) {
    for (const auto& [valor, texto] : kTipos)
        if (valor == tipo)
            return texto.toString();
    return {};
}

TipoLinea tipoLineaDeTexto(QStringView texto) {
    for (const auto& [valor, nombre] : kTipos)
        if (nombre == texto)
            return valor;
    return TipoLinea::Producto;
}

QString textoDespacho(MarcaDespacho marca) {
    for (const auto& [valor, texto] : kMarcas)
        if (valor == marca)
            return texto.toString();
    return {};
}

MarcaDespacho despachoDeTexto(QStringView texto) {
    for (const auto& [valor, nombre] : kMarcas)
        if (nombre == texto)
            return valor;
    return MarcaDespacho::Ninguna;
}

} // namespace nerin
