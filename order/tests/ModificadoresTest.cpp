#include "order/Modificadores.h"

#include "order/AgregarProducto.h"
#include "order/GuardarProductos.h"
#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

// FILETE MIGNON (102) has the cooking-point modifiers of group 1.
class ModificadoresTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(3, 4);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        agregar = std::make_unique<AgregarProducto>(*comanda);
        modificadores = std::make_unique<Modificadores>(*comanda);
    }
    static Prompts::TextAnswer tecleado(const QString& texto) {
        Prompts::TextAnswer answer;
        answer.cancelado = false;
        answer.texto = texto;
        return answer;
    }
    std::unique_ptr<AgregarProducto> agregar;
    std::unique_ptr<Modificadores> modificadores;
};

TEST_F(ModificadoresTest, ThePanelOffersTheProductsActiveModifiersAndAddsThemUnderIt) {
    const int filete = agregar->AñadirProductoAComanda(102, TipoLinea::Producto)->fila;
    const auto botones = modificadores->ModificarProductoMarcado(filete, 1);
    ASSERT_TRUE(botones);
    ASSERT_FALSE(botones->isEmpty());
    const qint32 termino = botones->first().id;
    const auto fila = modificadores->AñadirModificadorAComanda(termino, filete, 1);
    ASSERT_TRUE(fila);
    EXPECT_EQ(*fila, filete + 1);
    EXPECT_EQ(comanda->cuadricula().lineas().at(*fila).tipo, TipoLinea::Modificador);
    // Touching the modifier line works on its product.
    EXPECT_TRUE(modificadores->ModificarProductoMarcado(*fila, 1));
    const auto otra = modificadores->AñadirModificadorAComanda(botones->last().id, *fila, 1);
    EXPECT_EQ(*otra, filete + 2) << "below the modifiers already there";

    exec(QStringLiteral("UPDATE Grupo_Modificadores SET Grupo_Mod_Activo=0"));
    EXPECT_FALSE(modificadores->ModificarProductoMarcado(filete, 1));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("El producto no tiene modificadores"));
}

TEST_F(ModificadoresTest, ThePanelRefusesWhatCannotBeModified) {
    const struct {
        int fila;
        int seleccionadas;
        const char* mensaje;
    } casos[] = {{-1, 0, "Primero seleccione el artículo a modificar"},
                 {0, 2, "Los modificadores se aplicarán a un producto a la vez"}};
    for (const auto& caso : casos) {
        EXPECT_FALSE(modificadores->ModificarProductoMarcado(caso.fila, caso.seleccionadas));
        EXPECT_EQ(prompts.mensajes().last(), QString::fromUtf8(caso.mensaje));
    }
    // The demo order's items have gone to the kitchen already: no panel, and no modifier pressed on
    // a panel that was opened for another product.
    EXPECT_FALSE(modificadores->ModificarProductoMarcado(0, 1));
    EXPECT_EQ(prompts.mensajes().last(),
              QStringLiteral("Los modificadores no aplican en productos ya preparados!"));
    const int lineas = comanda->cuadricula().size();
    EXPECT_FALSE(modificadores->AñadirModificadorAComanda(2, 0, 1));
    EXPECT_EQ(prompts.mensajes().last(),
              QStringLiteral("Los modificadores no aplican en productos ya preparados!"));
    EXPECT_EQ(comanda->cuadricula().size(), lineas);
    comanda->cuadricula().clear();
    EXPECT_FALSE(modificadores->ModificarProductoMarcado(0, 1));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No hay productos en comanda"));
}

TEST_F(ModificadoresTest, FreeTextHasSeventeenLettersAtMostAndGoesBetweenAsterisks) {
    const int filete = agregar->AñadirProductoAComanda(102, TipoLinea::Producto)->fila;
    prompts.answerTexto(tecleado(QStringLiteral("DIECIOCHO LETRAS X")));
    prompts.answerTexto(tecleado(QStringLiteral("DIECISIETE LETRAS")));
    const auto fila = modificadores->modificadorLibre(filete);
    ASSERT_TRUE(fila);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Solo puede utilizar 17 letras")});
    EXPECT_EQ(prompts.asked().at(2).texto, QStringLiteral("MODIFICADOR DE PRODUCTO"));
    const LineaComanda& linea = comanda->cuadricula().lineas().at(*fila);
    EXPECT_EQ(linea.texto, QStringLiteral("*DIECISIETE LETRAS*"));
    EXPECT_EQ(linea.id, 0);
    EXPECT_EQ(linea.precio, Currency());
}

TEST_F(ModificadoresTest, TwoDifferentTypedModifiersAreKeptButTheSameOneTwiceIsRefused) {
    const int filete = agregar->AñadirProductoAComanda(102, TipoLinea::Producto)->fila;
    for (const char* texto : {"SIN SAL", "SIN PIMIENTA", "SIN SAL"}) {
        prompts.answerTexto(tecleado(QString::fromLatin1(texto)));
        ASSERT_TRUE(modificadores->modificadorLibre(filete));
    }
    GuardarProductos guardar(*comanda);
    ASSERT_TRUE(guardar.GuardarYPrepararNuevos());
    EXPECT_EQ(contar(QStringLiteral("Modificador WHERE ID_ProductosXCuenta=%1")
                         .arg(comanda->cuadricula().lineas().at(filete).folio)),
              2);
    EXPECT_EQ(prompts.mensajes().last(),
              QStringLiteral("No se pueden aplicar 2 modificadores iguales al mismo producto!"));
}

} // namespace
} // namespace nerin::fakes
