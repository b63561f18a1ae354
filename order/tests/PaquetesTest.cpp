#include "order/Paquetes.h"

#include "order/GuardarProductos.h"
#include "order/MenuProductos.h"
#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

// Order 1 holds the executive package (201, folio 10) with SOPA DE FIDEO (114, section 5) and AGUA
// HORCHATA (133, section 7); each of its sections 5, 6 and 7 allows one product.
class PaquetesTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(1);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        agregar = std::make_unique<AgregarProducto>(*comanda);
        paquetes = std::make_unique<Paquetes>(*comanda, *agregar);
        guardar = std::make_unique<GuardarProductos>(*comanda);
    }
    const CuadriculaComanda& grid() { return comanda->cuadricula(); }
    int filaDe(qint32 folio) {
        for (int i = 0; i < grid().size(); ++i)
            if (grid().lineas().at(i).folio == folio && grid().lineas().at(i).esProducto())
                return i;
        return -1;
    }
    qint64 paqueteDe(qint32 producto) {
        return field(QStringLiteral("SELECT max(ID_Paquete) FROM ProductosXCuenta WHERE ID_Comanda=1 AND "
                                    "ID_Producto=%1")
                         .arg(producto))
            .toInt();
    }
    QStringList captions(const std::optional<QList<Paquetes::Boton>>& botones) {
        QStringList lista;
        for (const Paquetes::Boton& boton : botones.value_or(QList<Paquetes::Boton>{}))
            lista << QString::number(boton.id) + u'=' + boton.caption;
        return lista;
    }

    std::unique_ptr<AgregarProducto> agregar;
    std::unique_ptr<Paquetes> paquetes;
    std::unique_ptr<GuardarProductos> guardar;
};

TEST_F(PaquetesTest, EachSectionAllowsItsNumberPerHeadStoredOrNot) {
    exec(QStringLiteral("UPDATE ProductosXSeccion SET Numero=2 WHERE ID_Seccion_Paquete=5"));
    ASSERT_TRUE(paquetes->insertar(201));
    const struct {
        bool nueva; // the head just added, last on the account, or the stored one
        qint32 producto;
        bool entra;
    } casos[] = {
        {false, 113, true}, {false, 202, false}, // beside the stored SOPA DE FIDEO
        {true, 114, true},  {true, 113, true},   {true, 202, false},
        {true, 119, true},  {true, 121, false}, // section 6 allows one
    };
    for (const auto& caso : casos) {
        const auto agregada =
            paquetes->elegir(201, caso.producto, caso.nueva ? grid().size() - 1 : filaDe(10));
        EXPECT_EQ(agregada.has_value(), caso.entra) << caso.producto;
        if (!caso.entra)
            EXPECT_EQ(prompts.mensajes().last(),
                      QStringLiteral("Ya se pidio los productos correspondientes a la sección"));
        else
            EXPECT_EQ(grid().lineas().at(agregada->fila).precio, Currency()) << "contents cost nothing";
    }
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    int cabeza = grid().size() - 1;
    while (!grid().esCabeza(cabeza))
        --cabeza;
    EXPECT_EQ(field(QStringLiteral("SELECT Ordenados FROM Control_Paquetes WHERE ID_Seccion_Paquete=5 AND "
                                   "ID_ProductosXCuenta=10"))
                  .toInt(),
              2);
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE Precio=0 AND ID_Paquete=%1")
                         .arg(grid().lineas().at(cabeza).folio)),
              3);
}

TEST_F(PaquetesTest, ContentsGoUnderAHeadOfTheirOwnPackageOnly) {
    // AGUA HORCHATA lost its section: it shows as a ">>" line of package 10, no head of its own.
    exec(QStringLiteral("DELETE FROM Control_Paquetes WHERE ID_Seccion_Paquete=7"));
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    const int suelta = filaDe(12);
    ASSERT_TRUE(grid().lineas().at(suelta).texto.startsWith(QStringLiteral(">>")));
    ASSERT_TRUE(agregar->AñadirProductoAComanda(101, TipoLinea::Paquete)) << "another package's head";
    const struct {
        int fila;
        qint32 producto;
    } casos[] = {{suelta, 132}, {grid().size() - 1, 119}};
    for (const auto& caso : casos) {
        const auto agregada = paquetes->elegir(201, caso.producto, caso.fila);
        ASSERT_TRUE(agregada) << caso.producto;
        EXPECT_EQ(grid().cabezaDe(agregada->fila), filaDe(10)) << caso.producto;
    }
    EXPECT_FALSE(paquetes->elegir(201, 113, 0)) << "nothing of the package above the first line";
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("No se ha ingresado ningun paquete")});

    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(paqueteDe(132), 10);
    EXPECT_EQ(paqueteDe(119), 10);
}

TEST_F(PaquetesTest, RepeatingAPackageBringsItsComponentsWithinTheAllowances) {
    EXPECT_FALSE(agregar->repetirUna(filaDe(11))) << "section 5 of package 10 is full";
    EXPECT_EQ(prompts.mensajes(),
              QStringList{QStringLiteral("Ya se pidio los productos correspondientes a la sección")});

    const int antes = grid().size();
    ASSERT_TRUE(agregar->repetirUna(filaDe(10)));
    ASSERT_EQ(grid().size(), antes + 3);
    const int cabeza = filaDe(12) + 1;
    EXPECT_TRUE(grid().esCabeza(cabeza));
    for (int i = cabeza + 1; i < cabeza + 3; ++i)
        EXPECT_EQ(grid().cabezaDe(i), cabeza) << i;
    EXPECT_FALSE(agregar->repetirUna(cabeza + 1)) << "the copy's sections are full too";

    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    const qint32 folio = grid().lineas().at(cabeza).folio;
    EXPECT_EQ(
        contar(QStringLiteral("Control_Paquetes WHERE Ordenados=1 AND ID_ProductosXCuenta=%1").arg(folio)),
        2);
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE Precio=0 AND ID_Paquete=%1").arg(folio)), 2);
}

TEST_F(PaquetesTest, ListingsCountTheirOwnAndLeaveTheProductButtonsRight) {
    ASSERT_TRUE(paquetes->elegir(201, 119, filaDe(10)));
    ASSERT_TRUE(agregar->AñadirProductoAComanda(114, TipoLinea::Producto)) << "an item outside packages";
    // Only items inside packages count, stored or not.
    const QStringList contenido = captions(paquetes->contenido(201));
    EXPECT_EQ(contenido.size(), 9);
    EXPECT_EQ(contenido.filter(QStringLiteral("(")),
              (QStringList{"133=AGUA DE\nHORCHATA\n(1)", "119=ENCHILADAS\nSUIZAS\n(1)",
                           "114=SOPA\nDE FIDEO\n(1)"}));
    EXPECT_EQ(captions(paquetes->listar()), QStringList{"201=PAQUETE\nEJECUTIVO\n(1)"});
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_ProductosXCuenta=10"));
    EXPECT_EQ(captions(paquetes->listar()), QStringList{"201=PAQUETE\nEJECUTIVO"}) << "a cancelled head";
    EXPECT_EQ(captions(paquetes->obsequios()), QStringList{"1=POSTRE DE CORTESIA\n(1)"});
    EXPECT_EQ(captions(paquetes->productosPromocion(2)),
              (QStringList{"144=CAFE\nAMERICANO", "145=CAFE\nDE OLLA"}))
        << "only promotion 2's products";

    // The listings left no temporary table behind: the product buttons still count.
    MenuProductos menu(*comanda);
    const auto productos = menu.MostrarProductosSubMenu(3);
    ASSERT_TRUE(productos);
    QStringList sopas;
    for (const MenuProductos::Boton& boton : productos->botones)
        if (boton.tag == 101 || boton.tag == 114)
            sopas << boton.caption;
    EXPECT_EQ(sopas, (QStringList{"SOPA DE\nTORTILLA\n(1)", "SOPA\nDE FIDEO\n(1)"}));
}

TEST_F(PaquetesTest, GiftsAreFreeAndNoMoreThanTheirPromotionGives) {
    const struct {
        const char* lista;
        QList<std::pair<qint32, qint32>> pares;
    } listas[] = {
        {"GO 1:1", {{1, 1}}},
        {"GO 1:1,2:3", {{1, 1}, {2, 3}}},
        {"GO x:1,2,3:0,4:2", {{4, 2}}},
    };
    for (const auto& caso : listas) {
        QList<std::pair<qint32, qint32>> pares;
        for (const Paquetes::Obsequio& obsequio : Paquetes::leerObsequios(QString::fromLatin1(caso.lista)))
            pares.append({obsequio.promocion, obsequio.cantidad});
        EXPECT_EQ(pares, caso.pares) << caso.lista;
    }

    const auto regalo = paquetes->agregarObsequio(1, 140);
    ASSERT_TRUE(regalo);
    EXPECT_EQ(grid().lineas().at(regalo->fila).precio, Currency());
    const struct {
        qint32 promocion;
        qint32 producto;
        const char* mensaje;
    } rechazos[] = {
        {1, 104, "Ya se dieron los obsequios de esta promoción"},
        {1, 144, "El producto no es obsequio de esta promoción"},
        {2, 144, "El producto no es obsequio de esta promoción"}, // not on the gift list
    };
    for (const auto& caso : rechazos) {
        EXPECT_FALSE(paquetes->agregarObsequio(caso.promocion, caso.producto)) << caso.producto;
        EXPECT_EQ(prompts.mensajes().last(), QString::fromUtf8(caso.mensaje));
    }
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=1 AND ID_Promocion=1 AND Precio=0")),
              1);
    EXPECT_FALSE(paquetes->agregarObsequio(1, 104)) << "the stored gift counts";
}

} // namespace
} // namespace nerin::fakes
