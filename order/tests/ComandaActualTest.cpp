#include "order/ComandaActual.h"

#include "order/tests/OrderFixture.h"
#include "startup/tests/RecordingNavegacion.h"

namespace nerin::fakes {
namespace {

using ComandaActualTest = OrderFixture;

TEST_F(ComandaActualTest, EnteringLoadsTheAccountTimePermissionsAndDefaultSubmenu) {
    exec(QStringLiteral("UPDATE Cuenta SET Ultimo_Tiempo=0 WHERE ID_Comanda=1"));
    abrir(1);
    const auto submenu = comanda->DatosEmpleado();
    ASSERT_TRUE(submenu.has_value());
    EXPECT_GT(*submenu, 0);
    EXPECT_EQ(comanda->NumCuenta, 1);
    EXPECT_EQ(comanda->getTiempoActual(), 1) << "serving time 0 is taken as 1";
    EXPECT_EQ(comanda->lblTiempo, QStringLiteral(" Tiempo: 1"));
    EXPECT_EQ(comanda->lblMesa, QStringLiteral(" Mesa 5 "));
    EXPECT_EQ(comanda->Tipo, QStringLiteral("N"));
    EXPECT_FALSE(comanda->variasCuentas);
    EXPECT_EQ(comanda->lblEmpleado, QStringLiteral("mesero1"));
}

TEST_F(ComandaActualTest, ShowingTheAccountMergesModifiersAndSumsTheTotal) {
    abrir(2);
    context->setFuncion(6, true); // serving-time headers
    ASSERT_TRUE(comanda->DatosEmpleado());
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    QStringList tipos;
    for (const LineaComanda& linea : comanda->cuadricula().lineas())
        tipos << textoTipoLinea(linea.tipo);
    EXPECT_EQ(tipos, (QStringList{"T", "P", "M", "C", "P", "P", "P"}));
    EXPECT_EQ(comanda->lblHuespedes, QStringLiteral("2 huéspedes"));
    EXPECT_EQ(comanda->lblMesa, QStringLiteral("Mesa: 15"));
    EXPECT_EQ(comanda->lblTotal, QStringLiteral("$420.00 M.N."));
}

TEST_F(ComandaActualTest, GuestLabelForOneAndForNone) {
    exec(QStringLiteral("UPDATE Comanda SET CantHuespedes=1 WHERE ID_Comanda=1"));
    exec(QStringLiteral("UPDATE Comanda SET CantHuespedes=NULL WHERE ID_Comanda=2"));
    abrir(1);
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    EXPECT_EQ(comanda->lblHuespedes, QStringLiteral("Un huésped"));
    comanda->IDComanda = 2;
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    EXPECT_EQ(comanda->lblHuespedes, QStringLiteral("0 huéspedes"));
}

TEST_F(ComandaActualTest, DollarTotalWithTheExchangeRateFunction) {
    abrir(2);
    context->setFuncion(1, true);
    exec(QStringLiteral("UPDATE Parametros SET Valor_Num=20 WHERE Id_Parametro='TC_US'"));
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    EXPECT_EQ(comanda->lblTotalUS, QStringLiteral("$21.00 U.S."));
    exec(QStringLiteral("UPDATE Parametros SET Valor_Num=0 WHERE Id_Parametro='TC_US'"));
    comanda->CalculaTotal();
    EXPECT_EQ(comanda->lblTotalUS, QStringLiteral("$420.00 U.S.")) << "a rate of 0 counts as 1";
}

TEST_F(ComandaActualTest, MovingBetweenTheWaitersTablesTakesAndReleasesTheLock) {
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
    // Table 15 is a customer order in its third course with a second account.
    exec(QStringLiteral("UPDATE Cuenta SET Ultimo_Tiempo=3 WHERE ID_Comanda=2"));
    exec(QStringLiteral("UPDATE Comanda SET Tipo='O' WHERE ID_Comanda=2"));
    exec(QStringLiteral(
        "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Ultimo_Tiempo) VALUES (2, 2, 1, 3)"));
    abrir(1);
    ASSERT_TRUE(comanda->DatosEmpleado());
    int guardados = 0;
    EXPECT_FALSE(comanda->moverMesa(false, [&] { return ++guardados > 0; })) << "no earlier table";
    EXPECT_EQ(comanda->IDComanda, 1);

    // Another employee has the next table open at another terminal: the waiter is told and stays here.
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=2"));
    EXPECT_FALSE(comanda->moverMesa(true, [&] { return ++guardados > 0; }));
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Mesa en uso por PEDRO GARCIA NAVA")});
    EXPECT_EQ(comanda->IDComanda, 1);
    EXPECT_EQ(field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")).toInt(), 4);
    EXPECT_EQ(field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1")).toInt(), 1);

    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=2"));
    ASSERT_TRUE(comanda->moverMesa(true, [&] { return ++guardados > 0; }));
    EXPECT_EQ(comanda->IDComanda, 2);
    EXPECT_EQ(comanda->getTiempoActual(), 3);
    EXPECT_EQ(comanda->Tipo, QStringLiteral("O"));
    EXPECT_TRUE(comanda->variasCuentas);
    EXPECT_EQ(field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")).toInt(), 1);
    EXPECT_EQ(field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1")).toInt(), 0);
    EXPECT_FALSE(comanda->moverMesa(true, [&] { return ++guardados > 0; }))
        << "order 3 belongs to another waiter";
    EXPECT_EQ(guardados, 0) << "nothing was pending";
}

TEST_F(ComandaActualTest, GuestsNeedPermissionSixtyFour) {
    exec(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Permiso=64"));
    abrir(1, 4);
    EXPECT_FALSE(comanda->cambiarHuespedes());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("No cuentas con privilegios suficientes")});

    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso) "
                        "SELECT ID_Grupo_Trabajo, 64 FROM EmpleadosXGrupo WHERE ID_Empleado=4"));
    Prompts::NumberAnswer seis;
    seis.cancelado = false;
    seis.numero = 6;
    prompts.answerNumero(seis);
    EXPECT_TRUE(comanda->cambiarHuespedes());
    EXPECT_EQ(comanda->lblHuespedes, QStringLiteral("6 huéspedes"));
    EXPECT_EQ(field(QStringLiteral("SELECT CantHuespedes FROM Comanda WHERE ID_Comanda=1")).toInt(), 6);
}

TEST_F(ComandaActualTest, PrintingAsksForGuestsAndReprintsNeedPermissionFortyFour) {
    exec(QStringLiteral("UPDATE Comanda SET CantHuespedes=0 WHERE ID_Comanda=1"));
    abrir(1);
    EXPECT_FALSE(comanda->puedeImprimirCuenta()) << "guests keypad cancelled";
    Prompts::NumberAnswer tres;
    tres.cancelado = false;
    tres.numero = 3;
    prompts.answerNumero(tres);
    EXPECT_TRUE(comanda->puedeImprimirCuenta());
    EXPECT_EQ(field(QStringLiteral("SELECT CantHuespedes FROM Comanda WHERE ID_Comanda=1")).toInt(), 3);

    // Printed three times where two are allowed: only with permission 44, which mesero1 lacks.
    exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=2 WHERE ID_Comanda=1"));
    EXPECT_TRUE(comanda->puedeImprimirCuenta());
    exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=3 WHERE ID_Comanda=1"));
    EXPECT_FALSE(comanda->puedeImprimirCuenta());
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No tiene privilegios para reimprimir cuentas!"));
    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso) VALUES (3, 44)"));
    EXPECT_TRUE(comanda->puedeImprimirCuenta());
}

TEST_F(ComandaActualTest, CustomerOrdersKeepTheChosenCustomer) {
    abrir(1);
    RecordingNavegacion navegacion;
    context->setNavegacion(&navegacion);
    comanda->Tipo = QStringLiteral("N");
    EXPECT_FALSE(comanda->DatosCliente());
    EXPECT_TRUE(navegacion.rutas.isEmpty()) << "only customer orders ask";

    comanda->Tipo = QStringLiteral("O");
    navegacion.cliente = 0;
    EXPECT_FALSE(comanda->DatosCliente());
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Cliente no valido!"));
    navegacion.cliente = 7;
    EXPECT_TRUE(comanda->DatosCliente());
    EXPECT_EQ(field(QStringLiteral("SELECT CveCliente FROM Cuenta WHERE ID_Comanda=1")).toInt(), 7);
}

} // namespace
} // namespace nerin::fakes
