#include "order/FrmArtDisponibles.h"

#include "order/FrmBuscarProducto.h"
#include "order/FrmElegirTiempo.h"
#include "order/tests/OrderFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace nerin::fakes {
namespace {

using OrderDialogsTest = OrderFixture;

TEST_F(OrderDialogsTest, StockScreenFiltersByCategoryAndSetsATouchedProductsStock) {
    abrir(1);
    FrmArtDisponibles pantalla(*context);
    auto* productos = pantalla.findChild<QTableWidget*>(QStringLiteral("grdProductos"));
    auto* categorias = pantalla.findChild<QListWidget*>(QStringLiteral("lstCategorias"));
    ASSERT_TRUE(productos && categorias);
    const int todos = productos->rowCount();
    categorias->setCurrentRow(1);
    EXPECT_LT(productos->rowCount(), todos);
    EXPECT_GT(productos->rowCount(), 0);

    Prompts::NumberAnswer siete;
    siete.cancelado = false;
    siete.numero = 7;
    prompts.answerNumero(siete);
    const QString nombre = productos->item(0, 0)->text();
    emit productos->cellClicked(0, 0);
    EXPECT_EQ(productos->item(0, 1)->text(), QStringLiteral("7"));
    EXPECT_EQ(prompts.asked().last().texto, QStringLiteral("Ingrese la cantidad de ") + nombre);
    EXPECT_EQ(
        field(QStringLiteral("SELECT Existencia FROM Producto WHERE Nombre_Cuenta='") + nombre + "'").toInt(),
        7);
}

TEST_F(OrderDialogsTest, SearchResultsGiveTheChosenProductOrNone) {
    abrir(1);
    RecordSet encontrados({QStringLiteral("ID_Producto"), QStringLiteral("Nombre_Submenu"),
                           QStringLiteral("Nombre_Boton"), QStringLiteral("nombre_completo"),
                           QStringLiteral("Precio_Producto"), QStringLiteral("Estado")});
    encontrados.addRow({DbValue(qint64{101}), DbValue(QStringLiteral("SOPAS")),
                        DbValue(QStringLiteral("SOPA")), DbValue(QStringLiteral("SOPA DE TORTILLA")),
                        DbValue(Currency::fromUnits(85)), DbValue(QStringLiteral("A"))});
    FrmBuscarProducto sinElegir(encontrados);
    sinElegir.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(sinElegir.producto(), 0) << "accepting without a row chooses nothing";

    FrmBuscarProducto resultados(encontrados);
    auto* grid = resultados.findChild<QTableWidget*>(QStringLiteral("grdProductos"));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("85.00"));
    grid->setCurrentCell(0, 1);
    resultados.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(resultados.producto(), 101);
}

TEST_F(OrderDialogsTest, ServingTimeChooserShowsFourTimesARowAndGivesTheOneChosen) {
    const QList<Despacho::Tiempo> tiempos{{0, QStringLiteral("Trabaja y Sale")},
                                          {1, QStringLiteral("Tiempo 1")},
                                          {2, QStringLiteral("Tiempo 2")},
                                          {3, QStringLiteral("Tiempo 3")}};
    FrmElegirTiempo cancelada(tiempos, 1);
    cancelada.findChild<QPushButton*>(QStringLiteral("cmdTiempo3"))->click();
    cancelada.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
    EXPECT_FALSE(cancelada.elegido());

    FrmElegirTiempo elegir(tiempos, 1);
    auto* texto = elegir.findChild<QLineEdit*>(QStringLiteral("txtTiempo"));
    EXPECT_EQ(texto->text(), QStringLiteral("Tiempo 1")) << "the proposed time is shown";
    elegir.findChild<QPushButton*>(QStringLiteral("cmdTiempo0"))->click();
    EXPECT_EQ(texto->text(), QStringLiteral("Trabaja y Sale"));
    elegir.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_TRUE(elegir.elegido());
    EXPECT_EQ(elegir.tiempo(), 0);
}

} // namespace
} // namespace nerin::fakes
