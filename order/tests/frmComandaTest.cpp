#include "order/frmComanda.h"

#include "order/tests/OrderFixture.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace nerin::fakes {
namespace {

class frmComandaTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
        context->iniciarSesion(Sesion(1, {}, {}, false));
        context->setNavegacion(&navegacion);
        pantalla = std::make_unique<frmComanda>(*context, acceso);
        Navegacion::Orden orden;
        orden.idComanda = 2;
        orden.control = 1;
        pantalla->abrir(orden, QStringLiteral("15"));
    }
    template <typename T = QPushButton> T* control(const QString& nombre) {
        auto* encontrado = pantalla->findChild<T*>(nombre);
        EXPECT_NE(encontrado, nullptr) << nombre.toStdString();
        return encontrado;
    }
    QString texto(const char* etiqueta) { return control<QLabel>(QString::fromLatin1(etiqueta))->text(); }
    qint64 items() { return contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=2")); }

    RecordingNavegacion navegacion;
    std::unique_ptr<frmComanda> pantalla;
};

TEST_F(frmComandaTest, ShowsTheAccountItsLabelsAndTheDefaultSubmenu) {
    auto* grid = control<QTableWidget>(QStringLiteral("grdComanda"));
    EXPECT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("ARRACHERA"));
    EXPECT_EQ(texto("lblTotal"), QStringLiteral("$420.00 M.N."));
    EXPECT_EQ(texto("lblMesa"), QStringLiteral("Mesa: 15"));
    EXPECT_EQ(control(QStringLiteral("lblHuespedes"))->text(), QStringLiteral("2 huéspedes"));
    EXPECT_FALSE(
        pantalla->findChildren<QPushButton*>(QRegularExpression(QStringLiteral("^cmdProducto"))).isEmpty());
}

TEST_F(frmComandaTest, PressingAProductAddsALineAndBumpsItsCount) {
    control(QStringLiteral("cmdMenu3"))->click();
    QPushButton* sopa = control(QStringLiteral("cmdProducto101"));
    ASSERT_NE(sopa, nullptr);
    sopa->click();
    sopa->click();
    EXPECT_TRUE(sopa->text().endsWith(QStringLiteral("(2)")));
    EXPECT_EQ(control<QTableWidget>(QStringLiteral("grdComanda"))->rowCount(), 8);
    EXPECT_EQ(texto("lblTotal"), QStringLiteral("$590.00 M.N."));
    EXPECT_EQ(items(), 4) << "nothing is stored while the account is being taken";

    // Leaving for the tables list stores the lines and releases the order.
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=2"));
    control(QStringLiteral("cmdListaMesas"))->click();
    EXPECT_EQ(items(), 6);
    EXPECT_EQ(field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")).toInt(), 0);
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("mesasAbiertas 0")});
}

TEST_F(frmComandaTest, SoldOutProductsAreDisabledAndRefusedOnesDoNotCount) {
    exec(QStringLiteral("UPDATE Producto SET Existencia=0 WHERE ID_Producto=115"));
    control(QStringLiteral("cmdMenu3"))->click();
    EXPECT_FALSE(control(QStringLiteral("cmdProducto115"))->isEnabled());
    QPushButton* sopa = control(QStringLiteral("cmdProducto101"));
    const QString antes = sopa->text();
    exec(QStringLiteral("UPDATE Producto SET Existencia=0 WHERE ID_Producto=101"));
    sopa->click();
    EXPECT_EQ(sopa->text(), antes);
    EXPECT_FALSE(sopa->isEnabled());
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Producto agotado!"));
}

TEST_F(frmComandaTest, ClosingTheScreenStoresWhatIsPending) {
    QLineEdit* barras = control<QLineEdit>(QStringLiteral("txtInsBarras"));
    QTest::keyClicks(barras, QStringLiteral("2000000000101"));
    QTest::keyClick(barras, Qt::Key_Return);
    EXPECT_TRUE(barras->text().isEmpty());
    QTest::keyClicks(barras, QStringLiteral("123"));
    QTest::keyClick(barras, Qt::Key_Return);
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No se encontró el codigo de barras!"));
    pantalla.reset();
    EXPECT_EQ(items(), 5);
}

TEST_F(frmComandaTest, PayingStoresFirstThenOpensThePaymentScreen) {
    control(QStringLiteral("cmdMenu3"))->click();
    control(QStringLiteral("cmdProducto101"))->click();
    control(QStringLiteral("cmdPagar"))->click();
    EXPECT_EQ(items(), 5);
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("caja 2/1 cuenta 1")});
}

TEST_F(frmComandaTest, TheModifierPanelOpensForFlowingProductsAndClosesWhenTheTableChanges) {
    QLineEdit* barras = control<QLineEdit>(QStringLiteral("txtInsBarras"));
    QTest::keyClicks(barras, QStringLiteral("2000000000102"));
    QTest::keyClick(barras, Qt::Key_Return);
    EXPECT_EQ(texto("lblSubMenu"), QStringLiteral("MODIFICADORES"))
        << "the steak's doneness is asked at once";

    control(QStringLiteral("cmdModificar"))->click();
    ASSERT_EQ(texto("lblSubMenu"), QStringLiteral("MODIFICADORES"));
    control(QStringLiteral("imgTodoAbajo"))->click();
    ASSERT_EQ(pantalla->comanda().IDComanda, 1);
    EXPECT_NE(texto("lblSubMenu"), QStringLiteral("MODIFICADORES"))
        << "no modifier of table 15 lands on table 5";
}

TEST_F(frmComandaTest, OtherAccountsOnlyWithSeveralAccounts) {
    control(QStringLiteral("cmdOtrasCuentas"))->click();
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No Disponible!"));
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(frmComandaTest, FixedMenuKeysPutThePackagePanelInPlaceOfTheProductsAndGiftsOnlyWhereOffered) {
    EXPECT_TRUE(control(QStringLiteral("cmdMenuFijo3"))->isHidden()) << "gifts are off at this terminal";
    control(QStringLiteral("cmdMenu3"))->click();
    control(QStringLiteral("cmdMenuFijo2"))->click();
    EXPECT_TRUE(control(QStringLiteral("cmdProducto101"))->isHidden());
    EXPECT_FALSE(control(QStringLiteral("cmdPaquete201"))->isHidden());
    EXPECT_EQ(texto("lblPaquetes"), QStringLiteral("Seleccionar Paquete"));
    control(QStringLiteral("cmdMenuFijo0"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(control(QStringLiteral("cmdProducto101"))->isHidden());
    EXPECT_TRUE(control<QWidget>(QStringLiteral("FraPaquetes"))->isHidden());

    context->setFuncion(Paquetes::kFuncionObsequios, true);
    Navegacion::Orden orden;
    orden.idComanda = 2;
    orden.control = 1;
    pantalla->abrir(orden, QStringLiteral("15"));
    EXPECT_FALSE(control(QStringLiteral("cmdMenuFijo3"))->isHidden());
}

} // namespace
} // namespace nerin::fakes
