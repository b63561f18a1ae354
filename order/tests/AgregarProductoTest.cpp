#include "order/AgregarProducto.h"

#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

// Product 101 (SOPA DE TORTILLA, 85 at the demo terminal's menu, 16 % tax) on a new order 2 line.
class AgregarProductoTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(2);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        agregar = std::make_unique<AgregarProducto>(*comanda);
    }
    Prompts::NumberAnswer numero(qint64 n) {
        Prompts::NumberAnswer respuesta;
        respuesta.cancelado = false;
        respuesta.numero = n;
        return respuesta;
    }
    std::unique_ptr<AgregarProducto> agregar;
};

TEST_F(AgregarProductoTest, SoldOutIsRefusedAndNegativeStockSells) {
    const int antes = comanda->cuadricula().size();
    exec(QStringLiteral("UPDATE Producto SET Existencia=0 WHERE ID_Producto=101"));
    EXPECT_FALSE(agregar->AñadirProductoAComanda(101, TipoLinea::Producto));
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Producto agotado!")});
    EXPECT_EQ(comanda->cuadricula().size(), antes);

    exec(QStringLiteral("UPDATE Producto SET Existencia=-5 WHERE ID_Producto=101"));
    const auto agregada = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(agregada);
    EXPECT_EQ(agregada->fila, antes) << "a new line goes last";
    const LineaComanda& linea = comanda->cuadricula().lineas().at(agregada->fila);
    EXPECT_EQ(linea.texto, QStringLiteral("SOPA DE TORTILLA"));
    EXPECT_EQ(linea.precio, Currency::fromUnits(85));
    EXPECT_EQ(linea.grupoImpresoras, 2);
    EXPECT_FALSE(linea.guardada());
    EXPECT_TRUE(comanda->cuadricula().hayNoGuardadas());
    EXPECT_EQ(comanda->lblTotal, QStringLiteral("$505.00 M.N."));
}

TEST_F(AgregarProductoTest, PriceWithoutTaxAndTheTerminalsMenuPrice) {
    exec(QStringLiteral("UPDATE PreciosXMenu SET Precio_Producto=116 WHERE ID_Producto=101 AND Id_Menu=1"));
    const auto agregada = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(agregada);
    EXPECT_EQ(comanda->cuadricula().lineas().at(agregada->fila).precioSinImpuesto, Currency::fromUnits(100));

    exec(QStringLiteral("DELETE FROM PreciosXMenu WHERE ID_Producto=101"));
    EXPECT_FALSE(agregar->AñadirProductoAComanda(101, TipoLinea::Producto));
    EXPECT_EQ(prompts.mensajes().last(),
              QStringLiteral("El producto no tiene precio en el menú de esta terminal"));
}

TEST_F(AgregarProductoTest, PackageComponentsCostNothingAndOpenPricesAreAsked) {
    const auto componente = agregar->AñadirProductoAComanda(101, TipoLinea::Componente, 5);
    ASSERT_TRUE(componente);
    EXPECT_EQ(comanda->cuadricula().lineas().at(componente->fila).precio, Currency());
    EXPECT_EQ(comanda->cuadricula().lineas().at(componente->fila).seccion, 5);

    exec(QStringLiteral("UPDATE Producto SET Abierto=1 WHERE ID_Producto=101"));
    EXPECT_FALSE(agregar->AñadirProductoAComanda(101, TipoLinea::Producto)) << "price keypad cancelled";
    Prompts::ValueAnswer precio;
    precio.cancelado = false;
    precio.valor = *Currency::parse(u"42.50");
    prompts.answerValor(precio);
    const auto abierta = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(abierta);
    EXPECT_EQ(comanda->cuadricula().lineas().at(abierta->fila).precio, *Currency::parse(u"42.50"));
}

TEST_F(AgregarProductoTest, BelowTheSelectedItemAndItsModifiersAndAutomaticModifiers) {
    // Order 2 shows ARRACHERA, its modifier and comment, then three more products.
    const auto agregada = agregar->AñadirProductoAComanda(101, TipoLinea::Producto, 0, 1);
    ASSERT_TRUE(agregada);
    EXPECT_EQ(agregada->fila, 3);
    EXPECT_FALSE(agregada->abrirModificadores);

    exec(QStringLiteral("UPDATE Grupo_Modificadores SET Fluir_Automatico=1 WHERE ID_Grupo_Modificadores=4"));
    const auto fluye = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(fluye);
    EXPECT_TRUE(fluye->abrirModificadores);
    const auto cabeza = agregar->AñadirProductoAComanda(101, TipoLinea::Paquete);
    ASSERT_TRUE(cabeza);
    EXPECT_FALSE(cabeza->abrirModificadores) << "a package head never opens the modifiers";
}

TEST_F(AgregarProductoTest, QuantityRepeatsTheItemWithinSaneLimits) {
    const auto agregada = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(agregada);
    for (qint64 malo : {qint64{0}, qint64{-3}, qint64{100}}) {
        prompts.answerNumero(numero(malo));
        EXPECT_FALSE(agregar->repetir(agregada->fila)) << malo;
        EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("La cantidad debe estar entre 1 y 99"));
    }
    EXPECT_EQ(comanda->cuadricula().noGuardados(101), 1);
    EXPECT_FALSE(agregar->repetir(-1));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Requiere elegir un producto a repetir!"));

    // Each copy comes with the soup's modifier, below it.
    LineaComanda queso;
    queso.tipo = TipoLinea::Modificador;
    queso.id = 8;
    queso.texto = QStringLiteral("EXTRA QUESO");
    queso.precio = *Currency::parse(u"15.50");
    comanda->cuadricula().insertar(agregada->fila + 1, queso);
    prompts.answerNumero(numero(3));
    EXPECT_TRUE(agregar->repetir(agregada->fila));
    EXPECT_EQ(comanda->cuadricula().noGuardados(101), 4);
    QStringList lineas;
    for (int i = agregada->fila; i < comanda->cuadricula().size(); ++i)
        lineas << comanda->cuadricula().lineas().at(i).texto;
    EXPECT_EQ(lineas, (QStringList{"SOPA DE TORTILLA", "EXTRA QUESO", "SOPA DE TORTILLA", "EXTRA QUESO",
                                   "SOPA DE TORTILLA", "EXTRA QUESO", "SOPA DE TORTILLA", "EXTRA QUESO"}));
    EXPECT_EQ(comanda->lblTotal, QStringLiteral("$822.00 M.N."));
    EXPECT_FALSE(comanda->modal);
}

TEST_F(AgregarProductoTest, QuantityAsksAnOpenPriceOnce) {
    exec(QStringLiteral("UPDATE Producto SET Abierto=1 WHERE ID_Producto=101"));
    Prompts::ValueAnswer precio;
    precio.cancelado = false;
    precio.valor = *Currency::parse(u"40");
    prompts.answerValor(precio);
    const auto agregada = agregar->AñadirProductoAComanda(101, TipoLinea::Producto);
    ASSERT_TRUE(agregada);
    prompts.answerNumero(numero(2));
    prompts.answerValor(precio);
    EXPECT_TRUE(agregar->repetir(agregada->fila));
    EXPECT_EQ(comanda->cuadricula().noGuardados(101), 3) << "one price asked for both copies";
    EXPECT_EQ(comanda->cuadricula().total(), *Currency::parse(u"540"));
}

} // namespace
} // namespace nerin::fakes
