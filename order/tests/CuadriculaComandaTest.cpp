#include "order/CuadriculaComanda.h"

#include "base/tests/QtPrinters.h"
#include "data/RecordSet.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

// Vw_Comanda's columns as the grid reads them.
RecordSet vista() {
    return RecordSet({QStringLiteral("ID_ProductosXCuenta"), QStringLiteral("id_producto"),
                      QStringLiteral("Nombre_Cuenta"), QStringLiteral("Precio"),
                      QStringLiteral("ID_Grupo_Impresoras"), QStringLiteral("Hora_Preparacion"),
                      QStringLiteral("Tiempo_requerido"), QStringLiteral("ID_Paquete"),
                      QStringLiteral("Comentario"), QStringLiteral("Nombre_Tipo_Modificador"),
                      QStringLiteral("ID_Tipo_Modificador"), QStringLiteral("Precio_Modificador"),
                      QStringLiteral("Preparado")});
}

void fila(RecordSet& rs, qint64 folio, qint64 producto, const char* nombre, const char* precio, qint64 tiempo,
          DbValue paquete = {}, DbValue comentario = {}, DbValue modificador = {}, qint64 tipoMod = 0,
          const char* precioMod = "0", bool preparado = false) {
    rs.addRow({DbValue(folio), DbValue(producto), DbValue(QString::fromUtf8(nombre)),
               DbValue(*Currency::parse(QString::fromLatin1(precio))), DbValue(qint64{2}), DbValue(),
               DbValue(tiempo), paquete, comentario, modificador, DbValue(tipoMod),
               DbValue(*Currency::parse(QString::fromLatin1(precioMod))),
               DbValue(qint64{preparado ? 1 : 0})});
}

QStringList tipos(const CuadriculaComanda& grid) {
    QStringList lista;
    for (const LineaComanda& linea : grid.lineas())
        lista << textoTipoLinea(linea.tipo) + QLatin1Char(':') + linea.texto;
    return lista;
}

const CuadriculaComanda::SeccionDePaquete kSinSecciones = [](qint32, qint32) { return 0; };

TEST(CuadriculaComandaTest, EachItemOnceFollowedByAllItsModifiersThenItsComment) {
    RecordSet rs = vista();
    fila(rs, 1, 101, "SOPA", "85", 1);
    fila(rs, 2, 102, "FILETE", "245.5", 1, {}, DbValue(QStringLiteral("SIN SAL")),
         DbValue(QStringLiteral("TERMINO MEDIO")), 2);
    fila(rs, 2, 102, "FILETE", "245.5", 1, {}, DbValue(QStringLiteral("SIN SAL")),
         DbValue(QStringLiteral("EXTRA QUESO")), 7, "20");
    CuadriculaComanda grid;
    grid.cargar(rs, false, kSinSecciones);
    EXPECT_EQ(tipos(grid),
              (QStringList{"P:SOPA", "P:FILETE", "M:TERMINO MEDIO", "M:EXTRA QUESO", "C:SIN SAL"}));
    EXPECT_EQ(grid.lineas().at(3).folio, 2) << "a modifier carries its item's folio";
    EXPECT_EQ(grid.lineas().at(4).precio, Currency());
    // 85 + 246 (245.5 rounds half to even... as the price rule says) + 20
    EXPECT_EQ(grid.total(),
              grid.lineas().at(0).precio + grid.lineas().at(1).precio + grid.lineas().at(3).precio);
    EXPECT_FALSE(grid.hayNoGuardadas());
}

TEST(CuadriculaComandaTest, PricesFollowThePriceRoundingRule) {
    const struct {
        const char* precio;
        const char* mostrado;
    } casos[] = {{"12.95", "13"}, {"12.05", "12"}, {"12.456", "12.46"}};
    for (const auto& caso : casos) {
        RecordSet rs = vista();
        fila(rs, 1, 101, "X", caso.precio, 1);
        CuadriculaComanda grid;
        grid.cargar(rs, false, kSinSecciones);
        EXPECT_EQ(grid.lineas().at(0).precio, *Currency::parse(QString::fromLatin1(caso.mostrado)))
            << caso.precio;
    }
}

TEST(CuadriculaComandaTest, TimeHeadersOnlyWhenEnabledAndAtEachChange) {
    RecordSet rs = vista();
    fila(rs, 1, 101, "SOPA", "1", 1);
    fila(rs, 2, 102, "AGUA", "1", 1);
    fila(rs, 3, 103, "FLAN", "1", 3);
    CuadriculaComanda grid;
    grid.cargar(rs, true, kSinSecciones);
    EXPECT_EQ(tipos(grid), (QStringList{"T:Tiempo:\t1", "P:SOPA", "P:AGUA", "T:Tiempo:\t3", "P:FLAN"}));
    EXPECT_EQ(grid.lineas().at(3).tiempo, 3);
    grid.cargar(rs, false, kSinSecciones);
    EXPECT_EQ(grid.size(), 3);
}

TEST(CuadriculaComandaTest, PackageHeadsComponentsAndStrayComponents) {
    RecordSet rs = vista();
    fila(rs, 10, 201, "PAQUETE", "189", 1, DbValue(qint64{10}));
    fila(rs, 11, 114, "SOPA FIDEO", "0", 1, DbValue(qint64{10}));
    fila(rs, 12, 133, "HORCHATA", "0", 1, DbValue(qint64{10}));
    CuadriculaComanda grid;
    grid.cargar(rs, false, [](qint32 producto, qint32 paquete) {
        EXPECT_EQ(paquete, 10);
        return producto == 114 ? 5 : 0;
    });
    EXPECT_EQ(tipos(grid), (QStringList{"PP:PAQUETE", "PA:SOPA FIDEO", "PP:>>HORCHATA"}));
    EXPECT_EQ(grid.lineas().at(1).seccion, 5);
}

TEST(CuadriculaComandaTest, NewLinesGoBelowTheSelectedProductAndItsModifiersAndComment) {
    RecordSet rs = vista();
    fila(rs, 1, 101, "SOPA", "1", 1, {}, DbValue(QStringLiteral("CALIENTE")),
         DbValue(QStringLiteral("SIN SAL")), 3);
    fila(rs, 2, 102, "AGUA", "1", 1);
    CuadriculaComanda grid;
    grid.cargar(rs, false, kSinSecciones); // SOPA, M, C, AGUA
    EXPECT_EQ(grid.posicionNueva(-1), 4);
    EXPECT_EQ(grid.posicionNueva(0), 3);
    EXPECT_EQ(grid.posicionNueva(2), 3) << "a comment row belongs to the product above it";
    EXPECT_EQ(grid.posicionNueva(3), 4);
    EXPECT_EQ(grid.productoDe(2), 0);

    LineaComanda nueva;
    nueva.tipo = TipoLinea::Producto;
    nueva.id = 101;
    grid.insertar(grid.posicionNueva(1), nueva);
    EXPECT_EQ(grid.lineas().at(3).id, 101);
    EXPECT_EQ(grid.noGuardados(101), 1);
    EXPECT_EQ(grid.noGuardados(102), 0);
    EXPECT_TRUE(grid.hayNoGuardadas());
}

TEST(CuadriculaComandaTest, LineKindsAndDispatchMarksRoundTripThroughTheirText) {
    const struct {
        TipoLinea tipo;
        const char* texto;
        bool producto;
    } tipos[] = {
        {TipoLinea::Tiempo, "T", false},       {TipoLinea::Producto, "P", true},
        {TipoLinea::Paquete, "PP", true},      {TipoLinea::Componente, "PA", true},
        {TipoLinea::ProductoMenu, "PM", true}, {TipoLinea::Modificador, "M", false},
        {TipoLinea::Comentario, "C", false},
    };
    for (const auto& caso : tipos) {
        LineaComanda linea;
        linea.tipo = caso.tipo;
        EXPECT_EQ(textoTipoLinea(caso.tipo), QLatin1String(caso.texto));
        EXPECT_EQ(tipoLineaDeTexto(QString::fromLatin1(caso.texto)), caso.tipo) << caso.texto;
        EXPECT_EQ(linea.esProducto(), caso.producto) << caso.texto;
    }
    // An unknown kind is still an item on the account; an unknown mark leaves it to be sent.
    EXPECT_EQ(tipoLineaDeTexto(u"X"), TipoLinea::Producto);
    EXPECT_EQ(tipoLineaDeTexto(u""), TipoLinea::Producto);

    const struct {
        MarcaDespacho marca;
        const char* texto;
    } marcas[] = {
        {MarcaDespacho::Ninguna, ""}, {MarcaDespacho::Preparar, "1"}, {MarcaDespacho::Retener, "2"}};
    for (const auto& caso : marcas) {
        EXPECT_EQ(textoDespacho(caso.marca), QLatin1String(caso.texto));
        EXPECT_EQ(despachoDeTexto(QString::fromLatin1(caso.texto)), caso.marca) << caso.texto;
    }
    EXPECT_EQ(despachoDeTexto(u"3"), MarcaDespacho::Ninguna);
}

} // namespace
} // namespace nerin
