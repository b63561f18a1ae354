#include "order/MenuProductos.h"

#include "data/RecordSet.h"
#include "order/AgregarProducto.h"
#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

class MenuProductosTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(1);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        menu = std::make_unique<MenuProductos>(*comanda);
        agregar = std::make_unique<AgregarProducto>(*comanda);
    }
    const MenuProductos::Boton* boton(const MenuProductos::Productos& productos, qint32 tag) {
        for (const MenuProductos::Boton& b : productos.botones)
            if (b.tag == tag)
                return &b;
        return nullptr;
    }
    std::unique_ptr<MenuProductos> menu;
    std::unique_ptr<AgregarProducto> agregar;
};

TEST_F(MenuProductosTest, SubmenusOfTheTerminalsMenuAndItsFixedOnes) {
    const auto submenus = menu->submenus();
    ASSERT_TRUE(submenus);
    ASSERT_FALSE(submenus->isEmpty());
    EXPECT_EQ(submenus->first().caption, QStringLiteral("ENTRADAS"));
    const auto fijos = menu->fijos();
    ASSERT_TRUE(fijos);
    QList<qint32> tags;
    for (const MenuProductos::Boton& b : *fijos)
        tags << b.tag;
    EXPECT_EQ(tags, (QList<qint32>{6, 8}));
}

TEST_F(MenuProductosTest, CountsExcludeCancelledAndPackagedItemsAndIncludeUnstoredLines) {
    // Order 1 holds one SOPA DE TORTILLA (101) and, inside its package, a SOPA DE FIDEO (114).
    exec(QStringLiteral("UPDATE Producto SET Existencia=0 WHERE ID_Producto=115"));
    auto productos = menu->MostrarProductosSubMenu(3);
    ASSERT_TRUE(productos);
    EXPECT_EQ(productos->titulo, QStringLiteral("SOPAS Y CREMAS"));
    const MenuProductos::Boton* const tortilla = boton(*productos, 101);
    const MenuProductos::Boton* const fideo = boton(*productos, 114);
    const MenuProductos::Boton* const agotado = boton(*productos, 115);
    ASSERT_NE(tortilla, nullptr);
    ASSERT_NE(fideo, nullptr);
    ASSERT_NE(agotado, nullptr);
    EXPECT_EQ(tortilla->caption, QStringLiteral("SOPA DE\nTORTILLA\n(1)"));
    EXPECT_FALSE(fideo->caption.contains(QLatin1Char('('))) << "package contents do not count";
    EXPECT_FALSE(agotado->habilitado) << "sold out";
    EXPECT_TRUE(tortilla->habilitado);

    exec(QStringLiteral(
        "UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_Comanda=1 AND ID_Producto=101"));
    ASSERT_TRUE(agregar->AñadirProductoAComanda(101, TipoLinea::Producto));
    ASSERT_TRUE(agregar->AñadirProductoAComanda(101, TipoLinea::Producto));
    productos = menu->MostrarProductosSubMenu(3);
    ASSERT_TRUE(productos);
    ASSERT_NE(boton(*productos, 101), nullptr);
    EXPECT_EQ(boton(*productos, 101)->caption, QStringLiteral("SOPA DE\nTORTILLA\n(2)"));
    // Showing twice leaves no temporary table behind.
    EXPECT_TRUE(menu->MostrarProductosSubMenu(3));
}

TEST_F(MenuProductosTest, SubmenuWithoutActiveProductsShowsNoButtons) {
    exec(QStringLiteral("UPDATE Producto SET Estado='I' WHERE ID_Producto IN (SELECT ID_Producto FROM "
                        "ProductosXSubmenu WHERE ID_Submenu=3)"));
    const auto productos = menu->MostrarProductosSubMenu(3);
    ASSERT_TRUE(productos);
    EXPECT_TRUE(productos->botones.isEmpty());
}

TEST_F(MenuProductosTest, CaptionsAndTheCountBumpOnAPress) {
    EXPECT_EQ(MenuProductos::caption(QStringLiteral("PAN\\nDULCE & CAFE"), 0),
              QStringLiteral("PAN\nDULCE & CAFE"));
    EXPECT_EQ(MenuProductos::unoMas(QStringLiteral("FLAN")), QStringLiteral("FLAN\n(1)"));
    EXPECT_EQ(MenuProductos::unoMas(QStringLiteral("FLAN\n(1)")), QStringLiteral("FLAN\n(2)"));
    EXPECT_EQ(MenuProductos::unoMas(QStringLiteral("FLAN\n(9)")), QStringLiteral("FLAN\n(10)"));
    EXPECT_EQ(MenuProductos::unoMas(QStringLiteral("TE (VERDE)")), QStringLiteral("TE (VERDE)\n(1)"));
}

TEST_F(MenuProductosTest, SearchQuotesTheTextAndRefusesDiscontinuedProducts) {
    const auto encontrados = menu->buscar(QStringLiteral("TORTILLA"));
    ASSERT_TRUE(encontrados);
    ASSERT_EQ(encontrados->recordCount(), 1);
    EXPECT_EQ(encontrados->value(0).toInt(), 101);
    const auto conComilla = menu->buscar(QStringLiteral("D'ORO"));
    ASSERT_TRUE(conComilla) << "a quote in the search text does not break the statement";
    EXPECT_EQ(conComilla->recordCount(), 0);

    exec(QStringLiteral("UPDATE Producto SET Estado='I' WHERE ID_Producto=101"));
    EXPECT_FALSE(menu->agregarBuscado(101, *agregar).has_value());
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("El producto con clave: 101 está descontinuado!"));
}

TEST_F(MenuProductosTest, BarcodesAddTheirProductOrSaySoWhenUnknown) {
    EXPECT_TRUE(menu->agregarCodigo(QStringLiteral("2000000000101"), *agregar).has_value());
    EXPECT_EQ(comanda->cuadricula().noGuardados(101), 1);
    for (const QString& codigo : {QStringLiteral("999"), QString(), QStringLiteral("' OR 1=1 --")}) {
        EXPECT_FALSE(menu->agregarCodigo(codigo, *agregar).has_value()) << codigo.toStdString();
        EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No se encontró el codigo de barras!"));
    }
    EXPECT_EQ(comanda->cuadricula().noGuardados(101), 1);
}

} // namespace
} // namespace nerin::fakes
