#include "order/ExistenciasProductos.h"

#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

using ExistenciasProductosTest = OrderFixture;

TEST_F(ExistenciasProductosTest, ListsByCategoryAndSetsTheTypedStock) {
    abrir(1);
    ExistenciasProductos existencias(*context);
    const auto categorias = existencias.categorias();
    ASSERT_TRUE(categorias);
    EXPECT_GT(categorias->recordCount(), 3);
    const auto todos = existencias.productos();
    const auto sopas = existencias.productos(3);
    ASSERT_TRUE(todos && sopas);
    EXPECT_LT(sopas->recordCount(), todos->recordCount());

    EXPECT_FALSE(existencias.fijar(101, QStringLiteral("SOPA DE TORTILLA")));
    EXPECT_EQ(prompts.asked().last().texto, QStringLiteral("Ingrese la cantidad de SOPA DE TORTILLA"));
    Prompts::NumberAnswer doce;
    doce.cancelado = false;
    doce.numero = 12;
    prompts.answerNumero(doce);
    EXPECT_EQ(existencias.fijar(101, QStringLiteral("SOPA DE TORTILLA")), 12);
    EXPECT_EQ(field(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")).toInt(), 12);
}

} // namespace
} // namespace nerin::fakes
