#include "order/GuardarProductos.h"

#include "order/AgregarProducto.h"
#include "order/tests/OrderFixture.h"

namespace nerin::fakes {
namespace {

class GuardarProductosTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(3, 4);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        agregar = std::make_unique<AgregarProducto>(*comanda);
        guardar = std::make_unique<GuardarProductos>(*comanda);
        itemsAntes = contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3"));
    }
    int nueva(qint32 producto, TipoLinea tipo = TipoLinea::Producto, qint32 seccion = 0) {
        const auto agregada = agregar->AñadirProductoAComanda(producto, tipo, seccion);
        EXPECT_TRUE(agregada) << producto;
        return agregada ? agregada->fila : -1;
    }
    void linea(int despuesDe, TipoLinea tipo, qint32 id, const QString& texto, const char* precio = "0") {
        LineaComanda extra;
        extra.tipo = tipo;
        extra.id = id;
        extra.texto = texto;
        extra.precio = *Currency::parse(QString::fromLatin1(precio));
        comanda->cuadricula().insertar(despuesDe + 1, extra);
    }
    Currency totalCuenta() {
        return field(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=3")).toCurrency();
    }

    std::unique_ptr<AgregarProducto> agregar;
    std::unique_ptr<GuardarProductos> guardar;
    qint64 itemsAntes = 0;
};

TEST_F(GuardarProductosTest, StoresItemsWithModifiersCommentsAndTheAccountTotal) {
    const Currency antes = totalCuenta();
    const int sopa = nueva(101);
    linea(sopa, TipoLinea::Comentario, 0, QStringLiteral("SIN CHILE"));
    linea(sopa + 1, TipoLinea::Comentario, 0, QStringLiteral("TIBIA"));
    linea(sopa, TipoLinea::Modificador, 20, QStringLiteral("EXTRA AGUACATE"), "20");
    nueva(103);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());

    EXPECT_FALSE(comanda->cuadricula().hayNoGuardadas());
    const qint32 folio = comanda->cuadricula().lineas().at(sopa).folio;
    ASSERT_GT(folio, 0);
    EXPECT_EQ(comanda->cuadricula().lineas().at(sopa + 1).folio, folio) << "the modifier hangs from its item";
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3")), itemsAntes + 2);
    EXPECT_EQ(field(QStringLiteral("SELECT Comentario FROM ProductosXCuenta WHERE ID_ProductosXCuenta=") +
                    QString::number(folio))
                  .toString(),
              QStringLiteral("SIN CHILE<N>TIBIA"));
    EXPECT_EQ(contar(QStringLiteral("Modificador WHERE ID_ProductosXCuenta=") + QString::number(folio)), 1);
    EXPECT_EQ(totalCuenta(), antes + Currency::fromUnits(85 + 20 + 32));
    EXPECT_EQ(contar(QStringLiteral("Bitacora WHERE Texto='Producto ingresado SOPA DE TORTILLA  $85.00'")),
              1);
    EXPECT_TRUE(prompts.mensajes().isEmpty());

    // Shown again, the account lists exactly what was stored.
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    EXPECT_EQ(comanda->lblTotal, QStringLiteral("$768.00 M.N."));
}

TEST_F(GuardarProductosTest, ProductSoldOutSinceItWasAddedIsDroppedAndSaidAfterwards) {
    const int sopa = nueva(101);
    nueva(103);
    exec(QStringLiteral("UPDATE Producto SET Existencia=0 WHERE ID_Producto=101"));
    exec(QStringLiteral("UPDATE Producto SET ID_Grupo_Impresoras=0 WHERE ID_Producto=103"));
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_FALSE(comanda->cuadricula().lineas().at(sopa).guardada());
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3")), itemsAntes + 1);
    EXPECT_EQ(prompts.mensajes(), (QStringList{QStringLiteral("No hay SOPA DE TORTILLA en existencias")}))
        << "the printer group was read when the line was added";
}

TEST_F(GuardarProductosTest, ProductWithoutPrintersIsStoredAfterTheWarning) {
    exec(QStringLiteral("UPDATE Producto SET ID_Grupo_Impresoras=0 WHERE ID_Producto=103"));
    nueva(103);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(prompts.mensajes(),
              QStringList{QStringLiteral("El producto: LIMONADA no tiene impresoras asignadas")});
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3")), itemsAntes + 1);
}

TEST_F(GuardarProductosTest, PackageComponentsCountInTheirSection) {
    nueva(201, TipoLinea::Paquete);
    nueva(114, TipoLinea::Componente, 5);
    nueva(115, TipoLinea::Componente, 5);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    const qint32 cabeza = comanda->cuadricula().lineas().at(comanda->cuadricula().size() - 3).folio;
    ASSERT_GT(cabeza, 0);
    EXPECT_EQ(field(QStringLiteral("SELECT Ordenados FROM Control_Paquetes WHERE ID_Seccion_Paquete=5 AND "
                                   "ID_ProductosXCuenta=") +
                    QString::number(cabeza))
                  .toInt(),
              2);
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Paquete=") + QString::number(cabeza)), 3);
    EXPECT_EQ(
        contar(QStringLiteral("ProductosXCuenta WHERE Precio=0 AND ID_Paquete=") + QString::number(cabeza)),
        2);
}

TEST_F(GuardarProductosTest, TheSameModifierTwiceIsRefused) {
    const int sopa = nueva(101);
    linea(sopa, TipoLinea::Modificador, 20, QStringLiteral("EXTRA AGUACATE"), "20");
    linea(sopa + 1, TipoLinea::Modificador, 20, QStringLiteral("EXTRA AGUACATE"), "20");
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(prompts.mensajes(),
              QStringList{QStringLiteral("No se pueden aplicar 2 modificadores iguales al mismo producto!")});
    const qint32 folio = comanda->cuadricula().lineas().at(sopa).folio;
    EXPECT_EQ(contar(QStringLiteral("Modificador WHERE ID_ProductosXCuenta=") + QString::number(folio)), 1);
}

TEST_F(GuardarProductosTest, DatabaseFailureMidwayStoresAndLogsNothingAndIsReportedOnceAfterwards) {
    const Currency antes = totalCuenta();
    const int sopa = nueva(101);
    nueva(103);
    // The first item's event row: the item itself is in by then.
    faultyConnection->failAt(busyDatabase(1, QStringLiteral("INSERT INTO Bitacora")));
    EXPECT_FALSE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3")), itemsAntes);
    EXPECT_EQ(totalCuenta(), antes);
    EXPECT_FALSE(comanda->cuadricula().lineas().at(sopa).guardada());
    EXPECT_TRUE(comanda->cuadricula().hayNoGuardadas());
    EXPECT_EQ(messageBox.shown,
              QList<Shown>(
                  {{QStringLiteral("BDME La base de datos está ocupada por otra terminal; intente de nuevo."),
                    QString(), SystemMessageBox::Icon::None}}));
    EXPECT_EQ(prompts.mensajes(),
              QStringList{QStringLiteral("No se pudieron guardar los productos nuevos; siguen en "
                                         "la cuenta sin guardar. Intente de nuevo.")});
    const auto lineasDe = [this](const char* texto) {
        return logLines(QLatin1String(Bitacora::kPrefijoArranque)).filter(QLatin1String(texto)).size();
    };
    EXPECT_EQ(lineasDe("Insertar_Producto "), 0);
    EXPECT_EQ(lineasDe("Folio PXC insertado"), 0);

    EXPECT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3")), itemsAntes + 2);
    EXPECT_EQ(lineasDe("Insertar_Producto "), 2);
    EXPECT_EQ(lineasDe("Folio PXC insertado"), 2);
}

TEST_F(GuardarProductosTest, NamesWithQuotesReachTheEventTableWhole) {
    exec(QStringLiteral("UPDATE Producto SET Nombre_Cuenta='TACO D''ORO' WHERE ID_Producto=101"));
    nueva(101);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(contar(QStringLiteral("Bitacora WHERE Texto='Producto ingresado TACO D''ORO  $85.00'")), 1);
}

} // namespace
} // namespace nerin::fakes
