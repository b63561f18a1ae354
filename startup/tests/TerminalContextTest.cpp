#include "startup/TerminalContext.h"

#include "startup/LinuxPlatform.h"
#include "startup/tests/StartupFixture.h"

using namespace nerin;

namespace {

class TerminalContextTest : public fakes::StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        build();
    }
    qint64 enUsoPor(int comanda) {
        return field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=%1").arg(comanda)).toInt();
    }
    qint64 terminalDe(int empleado) {
        return field(QStringLiteral("SELECT Id_Terminal FROM Empleado WHERE Id_Empleado=%1").arg(empleado))
            .toInt();
    }
};

// --- SalirSistema ------------------------------------------------------------------------------

TEST_F(TerminalContextTest, SalirSistemaReleasesOnlyTheEmployeesOrdersAndBinding) {
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda IN (2, 3)"));
    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
    exec(QStringLiteral("UPDATE Empleado SET Id_Terminal=1 WHERE Id_Empleado IN (1, 4)"));
    ASSERT_TRUE(baseDatos->ConectarBD());
    context->iniciarSesion(Sesion(4, {}, {}, false));

    context->SalirSistema(acceso, QStringLiteral("frmComanda"), true);

    EXPECT_EQ(enUsoPor(2), 0);
    EXPECT_EQ(enUsoPor(3), 0);
    EXPECT_EQ(enUsoPor(1), 1);
    EXPECT_EQ(terminalDe(4), 0);
    EXPECT_EQ(terminalDe(1), 1);
    EXPECT_FALSE(context->sesion().activa());
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("frmComanda unload")});
    const QStringList lines = logLines(QStringLiteral("NerinComTra"));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("SalirSistema-frmComanda")));
    EXPECT_TRUE(lines.join(u'\n').contains(
        QStringLiteral("UPDATE Empleado SET Id_Terminal = 0 WHERE Id_Empleado = 4")));
}

TEST_F(TerminalContextTest, SalirSistemaWithoutADatabaseStillReturnsToAccess) {
    // Never connected: the statements fail and are reported, the screen still comes back.
    context->iniciarSesion(Sesion(4, {}, {}, false));
    context->SalirSistema(acceso, QStringLiteral("frmCaja"), false);
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("frmCaja hide")});
}

// --- Shared routines ---------------------------------------------------------------------------

TEST_F(TerminalContextTest, HoraServidorGivesTheServersClock) {
    ASSERT_TRUE(baseDatos->ConectarBD());
    const QDateTime hora = context->HoraServidor();
    EXPECT_LT(qAbs(hora.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_NE(hora, ahora);
}

TEST_F(TerminalContextTest, HoraServidorFallsBackToTheTerminalsClock) {
    // The connection was never opened: the failed query is reported like any other, once, and the
    // terminal's own clock answers.
    EXPECT_EQ(context->HoraServidor(), ahora);
    EXPECT_EQ(programEnded, 0);
    ASSERT_EQ(messageBox.shown.size(), 1);
    EXPECT_TRUE(messageBox.shown[0].text.contains(QStringLiteral("08003")));
}

TEST_F(TerminalContextTest, MensajeForwardsTextStyleAndAnswer) {
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(context->Mensaje(QStringLiteral("¿Cerrar?"), Prompts::kYesNo), Prompts::kAnswerNo);
    ASSERT_EQ(prompts.asked().size(), 1);
    EXPECT_EQ(prompts.asked()[0].texto, QStringLiteral("¿Cerrar?"));
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kYesNo);
}

TEST_F(TerminalContextTest, NombreEquipoAsksTheMachine) {
    EXPECT_EQ(context->NombreEquipo(), QStringLiteral("CAJA-01"));
    platform.nombre.clear();
    EXPECT_EQ(context->NombreEquipo(), QString());
    EXPECT_EQ(platform.requests.size(), 2);
}

TEST(LinuxPlatformTest, NombreEquipoIsAtMost255Characters) {
    LinuxPlatform platform;
    EXPECT_LE(platform.NombreEquipo().size(), 255);
    EXPECT_EQ(platform.findProcess(QStringLiteral("NINGUN-PROCESO-CON-ESTE-NOMBRE")), 0);
}

} // namespace
