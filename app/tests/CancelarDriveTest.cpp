// Cancelling items on the order screen through the real program: a dish not sent yet goes without
// asking, a dish already sent needs the manager's card and a reason, and its slip prints once on the
// cashier's printer and once in the kitchen.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class CancelarDriveTest : public TerminalDriveFixture {};

// Table 5 of mesero1 (order 1, $711.50): FLAN NAPOLITANO ($65) not sent yet, SOPA DE TORTILLA ($85)
// sent to the kitchen.
TEST_F(CancelarDriveTest, TheWaiterRemovesAnUnsentDishAndCancelsASentOneOnlyWithTheManagersCard) {
    const QString flan = QStringLiteral("select grdComanda 12");
    const QString sopa = QStringLiteral("select grdComanda 2");
    EXPECT_EQ(
        conducir({kTarjetaMesero1,
                  QStringLiteral("select Spread 1"),
                  QStringLiteral("click cmdVerMesa"),
                  QStringLiteral("expect lblMesa Mesa: 5"),
                  flan,
                  QStringLiteral("expect grdComanda FLAN NAPOLITANO"),
                  QStringLiteral("click cmdCancelar"),
                  QStringLiteral("expect lblTotal $646.50 M.N."),
                  sopa,
                  QStringLiteral("expect grdComanda SOPA DE TORTILLA"),
                  QStringLiteral("click cmdCancelar"),
                  QStringLiteral("expect lblTitulo Validar Permiso"),
                  QStringLiteral("click cmdCancelar"),
                  QStringLiteral("expect-message No tiene privilegios para cancelar productos preparados"),
                  QStringLiteral("answer ok"),
                  QStringLiteral("expect lblTotal $646.50 M.N."),
                  sopa,
                  QStringLiteral("click cmdCancelar"),
                  QStringLiteral("expect lblTitulo Validar Permiso"),
                  kTarjetaGerente1,
                  QStringLiteral("select grdAnulaciones 3"),
                  QStringLiteral("expect lblTotal $561.50 M.N."),
                  QStringLiteral("click cmdCancelar"),
                  QStringLiteral("expect-message Primero seleccione el o los artículos a cancelar"),
                  QStringLiteral("answer ok"),
                  QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();
    EXPECT_EQ(
        valor(QStringLiteral("SELECT count(*) FROM ProductosXCuenta WHERE ID_ProductosXCuenta=5")).toInt(),
        0);
    EXPECT_EQ(
        valor(QStringLiteral("SELECT ID_Tipo_Anulacion FROM ProductosXCuenta WHERE ID_ProductosXCuenta=1"))
            .toInt(),
        3);

    imprimirCola();
    const QString caja = impresoEn("caja.txt");
    EXPECT_EQ(caja.count(QStringLiteral("*** Cancelaciones ***")), 1) << caja.toStdString();
    EXPECT_TRUE(
        caja.contains(QStringLiteral("Gerente: JUAN PEREZ LOPEZ\nEmpleado: ROSA MENDOZA RUIZ\nMesa: 5\n"
                                     "Comanda: 1\nRazón: PLATILLO DEVUELTO\n1 SOPA DE TORTILLA")))
        << caja.toStdString();
    EXPECT_EQ(impresoEn("cocina.txt").count(QStringLiteral("CANCELAR SOPA DE TORTILLA")), 1);
    EXPECT_FALSE(caja.contains(QStringLiteral("FLAN")));
    // Printing the queue again prints nothing more.
    imprimirCola();
    EXPECT_EQ(impresoEn("caja.txt"), caja);
}

} // namespace
} // namespace nerin
