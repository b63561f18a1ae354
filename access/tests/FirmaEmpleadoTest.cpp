// Signing in with a card, without the screen: the card lookup, the refusals and their messages, the
// binding to the terminal and the route to the next screen.
#include "access/FirmaEmpleado.h"

#include "access/tests/SignInFixture.h"

namespace nerin {
namespace {

using fakes::Tarjeta;

using Entrada = FirmaEmpleado::Entrada;
using Ruta = FirmaEmpleado::Ruta;

class FirmaEmpleadoTest : public fakes::SignInFixture {
protected:
    void SetUp() override {
        SignInFixture::SetUp();
        asignarTodas();
        firmarListo();
    }
    // Signs the employee of the card in as far as routing.
    Entrada firmar(int idEmpleado) {
        FirmaEmpleado firma(*context);
        const qint16 id = firma.identificar(tarjetaDe(idEmpleado).texto());
        EXPECT_EQ(id, idEmpleado);
        return firma.entrar(id);
    }
    qint64 comandasAbiertasDe(int idEmpleado) {
        return numero(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Abierta=1 AND ID_Empleado=%1")
                          .arg(idEmpleado));
    }
};

TEST_F(FirmaEmpleadoTest, ACardFindsItsEmployeeWhateverTheCaseItWasTypedIn) {
    FirmaEmpleado firma(*context);
    EXPECT_EQ(firma.identificar(tarjetaDe(3).texto()), 3);
    EXPECT_EQ(firma.identificar(tarjetaDe(2).texto().toLower()), 2);
    EXPECT_TRUE(prompts.mensajes().isEmpty());
}

TEST_F(FirmaEmpleadoTest, CardsThatAreNotValidAreRefusedWithNothingElseDone) {
    const Tarjeta buena = tarjetaDe(1);
    const struct {
        const char* caso;
        QString texto;
    } casos[] = {
        {"empty", QString()},
        {"no track end", QStringLiteral("%") + buena.pista1 + buena.pista2},
        {"wrong digest", tarjeta(QStringLiteral("50781200000000000000000000000009")).pista1.prepend(u'%') +
                             QStringLiteral("_Ñ") + buena.pista2 + u'_'},
        {"unknown card", tarjeta(QStringLiteral("99999999999999999999999999999999")).texto()},
        {"control characters", buena.texto().insert(10, QChar(0x07))},
        {"ten thousand characters", buena.texto() + QString(10000, u'7')},
        {"only a track end", QStringLiteral("_")},
    };
    for (const auto& c : casos) {
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        otro.setNavegacion(&nav);
        FirmaEmpleado firma(otro);
        EXPECT_EQ(firma.identificar(c.texto), 0) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Tarjeta inválida")}) << c.caso;
    }
    EXPECT_TRUE(nav.ninguna());
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Empleado WHERE ID_Terminal<>0")), 0);
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(FirmaEmpleadoTest, AnInactiveEmployeeIsRefusedEvenWithTheRightCard) {
    exec(QStringLiteral("UPDATE Empleado SET Estado_Empleado='B' WHERE Id_Empleado=1"));
    FirmaEmpleado firma(*context);
    EXPECT_EQ(firma.identificar(tarjetaDe(1).texto()), 0);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Tarjeta inválida")});
}

TEST_F(FirmaEmpleadoTest, AnEmployeeSignedInAtAnotherTerminalIsToldWhereAndStaysThere) {
    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=2 WHERE Id_Empleado=1"));
    EXPECT_EQ(firmar(1), Entrada::FirmadoEnOtra);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Está firmado en la terminal MESEROS SALON")});
    EXPECT_EQ(terminalDe(1), 2);
    EXPECT_FALSE(context->sesion().activa());
    EXPECT_TRUE(context->sesion().usuario().isEmpty());

    // Released there, the same card signs in here.
    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=0 WHERE Id_Empleado=1"));
    EXPECT_EQ(firmar(1), Entrada::Firmado);
    EXPECT_EQ(terminalDe(1), 1);
}

TEST_F(FirmaEmpleadoTest, AnEmployeeAlreadyBoundHereSignsInAgain) {
    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=1 WHERE Id_Empleado=1"));
    EXPECT_EQ(firmar(1), Entrada::Firmado);
    EXPECT_TRUE(prompts.mensajes().isEmpty());
}

TEST_F(FirmaEmpleadoTest, WithClockInInUseAnEmployeeNotClockedInGoesToTheClockInScreen) {
    context->setFuncion(FirmaEmpleado::kFuncionChecador, true);
    EXPECT_EQ(firmar(4), Entrada::Checador);
    EXPECT_EQ(nav.checadores, QList<qint16>{4});
    EXPECT_TRUE(nav.mesas.isEmpty());
    EXPECT_EQ(terminalDe(4), 0);
    EXPECT_FALSE(context->sesion().activa());
}

TEST_F(FirmaEmpleadoTest, WithClockInInUseAnEmployeeWithoutDepartmentsIsTurnedAway) {
    context->setFuncion(FirmaEmpleado::kFuncionChecador, true);
    // mesero2 is not on shift in the demo restaurant.
    exec(QStringLiteral("DELETE FROM CostosxEmpleado WHERE id_empleado=4"));
    EXPECT_EQ(firmar(4), Entrada::SinDepartamentos);
    ASSERT_EQ(prompts.asked().size(), 1);
    EXPECT_EQ(prompts.asked()[0].texto, QStringLiteral("No tiene departamentos asignados!"));
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kExclamation);
    EXPECT_TRUE(nav.checadores.isEmpty());
    EXPECT_EQ(terminalDe(4), 0);
}

TEST_F(FirmaEmpleadoTest, ClockedInOrWithoutClockInTheEmployeeSignsIn) {
    EXPECT_EQ(firmar(1), Entrada::Firmado); // function 15 off: nobody is asked to clock in
    context->setFuncion(FirmaEmpleado::kFuncionChecador, true);
    exec(QStringLiteral("UPDATE Empleado SET Firmado=1 WHERE Id_Empleado=3"));
    EXPECT_EQ(firmar(3), Entrada::Firmado);
    EXPECT_TRUE(nav.checadores.isEmpty());
}

TEST_F(FirmaEmpleadoTest, SigningInBindsTheTerminalReleasesTheEmployeesLocksAndFillsTheContext) {
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=2 WHERE ID_Comanda=1"));
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=2"));
    EXPECT_EQ(firmar(2), Entrada::Firmado);

    EXPECT_EQ(terminalDe(2), 1);
    EXPECT_EQ(numero(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1")), 0);
    EXPECT_EQ(numero(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")), 1);
    EXPECT_EQ(context->sesion().idEmpleado(), 2);
    EXPECT_EQ(context->sesion().usuario(), QStringLiteral("gerente1"));
    EXPECT_EQ(context->sesion().nombreEmpleado(), QStringLiteral("JUAN PEREZ LOPEZ"));
    EXPECT_TRUE(context->sesion().adminUsuarios());
    EXPECT_TRUE(context->sesion().permiso(68));
    const QStringList log = logLines(QStringLiteral("NerinComTra"));
    EXPECT_TRUE(log.filter(QStringLiteral("UPDATE Empleado SET ID_Terminal=1 WHERE ID_Empleado=2")).size() ==
                2);
    EXPECT_TRUE(log.filter(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor=2")).size() == 2);
}

TEST_F(FirmaEmpleadoTest, AWaiterGoesToTheOpenTables) {
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(1).texto())), Entrada::Firmado);
    EXPECT_EQ(firma.rutear(), Ruta::MesasAbiertas);
    EXPECT_EQ(nav.mesas, QList<Navegacion::ModoMesas>{Navegacion::ModoMesas::Normal});
    EXPECT_TRUE(nav.comandas.isEmpty());
    EXPECT_TRUE(prompts.asked().isEmpty());
}

TEST_F(FirmaEmpleadoTest, PermissionSixtyEightOpensANewDeliveryTableWhenTheEmployeeHasNone) {
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(2).texto())), Entrada::Firmado);
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_EQ(firma.rutear(), Ruta::Comanda);

    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Desea Abrir nueva mesa ?")});
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kYesNo);
    ASSERT_EQ(nav.comandas.size(), 1);
    const Navegacion::Orden orden = nav.comandas[0];
    EXPECT_EQ(orden.tipo, QStringLiteral("O"));
    EXPECT_EQ(orden.control, 1);
    EXPECT_EQ(orden.numCuenta, 1);
    EXPECT_EQ(
        numero(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Abierta=1 AND Tipo='O' AND ID_Empleado=2 "
                              "AND Control=1 AND Num_Mesa=0 AND EnUsoPor=2 AND ID_Comanda=%1")
                   .arg(orden.idComanda)),
        1);
    EXPECT_TRUE(nav.mesas.isEmpty());
}

TEST_F(FirmaEmpleadoTest, DecliningTheNewTableOpensNothing) {
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(2).texto())), Entrada::Firmado);
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(firma.rutear(), Ruta::Cancelada);
    EXPECT_TRUE(nav.ninguna());
    EXPECT_EQ(comandasAbiertasDe(2), 0);
}

TEST_F(FirmaEmpleadoTest, TheDirectRouteShowsTheEmployeesNewestOpenOrder) {
    exec(QStringLiteral("INSERT INTO EmpleadosXGrupo (ID_Empleado, ID_Grupo_Trabajo) VALUES (1, 1)"));
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(1).texto())), Entrada::Firmado);
    EXPECT_EQ(firma.rutear(), Ruta::Comanda);
    EXPECT_TRUE(prompts.asked().isEmpty());
    ASSERT_EQ(nav.comandas.size(), 1);
    EXPECT_EQ(nav.comandas[0].idComanda, 2);
    EXPECT_EQ(nav.comandas[0].control, 1);
    EXPECT_EQ(nav.comandas[0].numCuenta, 1);
    EXPECT_TRUE(nav.comandas[0].tipo.isEmpty());
    EXPECT_EQ(numero(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")), 1);
}

TEST_F(FirmaEmpleadoTest, TheDirectRouteRefusesTheNewestOrderWhileAnotherEmployeeHasItOpen) {
    exec(QStringLiteral("INSERT INTO EmpleadosXGrupo (ID_Empleado, ID_Grupo_Trabajo) VALUES (1, 1)"));
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(1).texto())), Entrada::Firmado);
    // The cashier opened it at another terminal meanwhile.
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=3 WHERE ID_Comanda=2"));
    EXPECT_EQ(firma.rutear(), Ruta::Cancelada);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Mesa en uso por LAURA HERNANDEZ SOTO")});
    EXPECT_TRUE(nav.ninguna());
    EXPECT_EQ(numero(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=2")), 3);
}

TEST_F(FirmaEmpleadoTest, FunctionTwentyTakesEverySignInOfTheRunToTheOrderScreen) {
    context->setFuncion(FirmaEmpleado::kFuncionComandaDirecta, true);
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(1).texto())), Entrada::Firmado);
    EXPECT_EQ(firma.rutear(), Ruta::Comanda);
    EXPECT_EQ(nav.comandas.size(), 1);

    context->SalirSistema(acceso, QStringLiteral("frmComanda"), false);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(4).texto())), Entrada::Firmado);
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_EQ(firma.rutear(), Ruta::Comanda);
    EXPECT_EQ(nav.comandas.size(), 2);
    EXPECT_TRUE(nav.mesas.isEmpty());
}

TEST_F(FirmaEmpleadoTest, WithoutANavigationPointNothingIsOpenedOrAsked) {
    context->setNavegacion(nullptr);
    FirmaEmpleado firma(*context);
    ASSERT_EQ(firma.entrar(firma.identificar(tarjetaDe(2).texto())), Entrada::Firmado);
    EXPECT_EQ(firma.rutear(), Ruta::Ninguna);
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_EQ(comandasAbiertasDe(2), 0);
}

TEST_F(FirmaEmpleadoTest, CardRegistrationOpensOnlyWhenSomeEmployeeHasNoCardAndAManagerAuthorises) {
    FirmaEmpleado firma(*context);
    EXPECT_FALSE(firma.registrarTarjetas());
    EXPECT_TRUE(nav.rutas.isEmpty());
    exec(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='XXX' WHERE Id_Empleado=4"));
    nav.autorizado = false;
    EXPECT_FALSE(firma.registrarTarjetas());
    EXPECT_EQ(nav.registros, 0);
    nav.autorizado = true;
    EXPECT_TRUE(firma.registrarTarjetas());
    EXPECT_EQ(nav.registros, 1);
    EXPECT_EQ(nav.rutas, QStringList(2, QStringLiteral("autorizar 27 Validar Permiso")));
}

} // namespace
} // namespace nerin
