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

// One value's text in a table of values and texts; empty for a value not in it.
template <typename Valor, std::size_t N>
QString textoEn(const std::array<std::pair<Valor, QStringView>, N>& tabla, Valor valor) {
    for (const auto& [v, texto] : tabla)
        if (v == valor)
            return texto.toString();
    return {};
}

// The value a text stands for in a table of values and texts; `otro` for a text not in it.
template <typename Valor, std::size_t N>
Valor valorEn(const std::array<std::pair<Valor, QStringView>, N>& tabla, QStringView texto, Valor otro) {
    for (const auto& [valor, t] : tabla)
        if (t == texto)
            return valor;
    return otro;
}

} // namespace

QString textoTipoLinea(TipoLinea tipo) {
    return textoEn(kTipos, tipo);
}

TipoLinea tipoLineaDeTexto(QStringView texto) {
    return valorEn(kTipos, texto, TipoLinea::Producto);
}

QString textoDespacho(MarcaDespacho marca) {
    return textoEn(kMarcas, marca);
}

MarcaDespacho despachoDeTexto(QStringView texto) {
    return valorEn(kMarcas, texto, MarcaDespacho::Ninguna);
}

} // namespace nerin
