#include "access/AccesoDisplay.h"

#include "access/tests/AccessFixture.h"
#include "startup/Arranque.h"

namespace nerin {
namespace {

using fakes::AccessFixture;

TEST(AccesoDisplayTexts, DateLabelShowsWorkingDateAndClock) {
    EXPECT_EQ(AccesoDisplay::etiquetaFecha(QDate(2026, 12, 5), QDateTime(QDate(2026, 12, 6), QTime(9, 7))),
              QStringLiteral("Trabajo: 05 dic 26      Sistema: 06 dic 26   09:07"));
}

TEST(AccesoDisplayTexts, DateLabelWithoutWorkingDateKeepsTheClock) {
    EXPECT_EQ(AccesoDisplay::etiquetaFecha(std::nullopt, QDateTime(QDate(2027, 1, 2), QTime(23, 59))),
              QStringLiteral("Trabajo:       Sistema: 02 ene 27   23:59"));
}

TEST(AccesoDisplayTexts, VersionLabelJoinsTitleNumbersAndWaiter) {
    EXPECT_EQ(AccesoDisplay::version(QStringLiteral("Nerin"), QStringLiteral("0.1.0"), QStringLiteral("3")),
              QStringLiteral("Nerin 0.1.0 (3)"));
    EXPECT_EQ(AccesoDisplay::version(QStringLiteral("Nerin"), QStringLiteral("0.1.0"), QString()),
              QStringLiteral("Nerin 0.1.0 ()"));
}

TEST(AccesoDisplayTexts, WorkingDayEndsAtSixTheMorningAfter) {
    struct Case {
        QDate trabajo;
        QDateTime ahora;
        bool vence;
    };
    const QDate dia(2026, 12, 5);
    const Case cases[] = {
        {dia, QDateTime(QDate(2026, 12, 6), QTime(5, 59, 59)), false},
        {dia, QDateTime(QDate(2026, 12, 6), QTime(6, 0)), true},
        {dia, QDateTime(QDate(2026, 12, 6), QTime(23, 0)), true},
        {dia, QDateTime(QDate(2026, 12, 5), QTime(23, 59)), false},
        {dia, QDateTime(QDate(2026, 12, 7), QTime(0, 30)), true},
        {dia, QDateTime(QDate(2026, 12, 4), QTime(12, 0)), false},
        {QDate(), QDateTime(QDate(2026, 12, 7), QTime(12, 0)), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AccesoDisplay::venceDia(c.trabajo, c.ahora), c.vence) << c.ahora.toString().toStdString();
}

class AccesoDisplayTest : public AccessFixture {
protected:
    // Start-up's own continuation, as the program hands it to the access screen.
    static std::function<Status(const QString&)> continuando(Arranque& arranque) {
        return [&arranque](const QString& servidor) { return arranque.continuar(servidor); };
    }
};

TEST_F(AccesoDisplayTest, ReadsTerminalNameAndWorkingDate) {
    setFechaTrabajo(QDate(2026, 12, 6));
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());
    EXPECT_EQ(display.nombreTerminal(), QStringLiteral("CAJA PRINCIPAL"));
    EXPECT_EQ(display.fechaTrabajo(), QDate(2026, 12, 6));
}

TEST_F(AccesoDisplayTest, DemoRestaurantHasNoGridRows) {
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());
    EXPECT_TRUE(display.terminalesInactivas().isEmpty());
    EXPECT_TRUE(display.impresorasRedirigidas().isEmpty());
}

TEST_F(AccesoDisplayTest, GridRowsListInactiveTerminalsAndRedirectedPrinters) {
    insertarFilas();
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());
    const AccesoDisplay::Filas terminales{{QStringLiteral("TERRAZA"), QStringLiteral("INACTIVA")}};
    const AccesoDisplay::Filas impresoras{{QStringLiteral("COCINA"), QStringLiteral("A"),
                                           QStringLiteral(" REDIRIGIDO A "), QStringLiteral("BARRA")}};
    EXPECT_EQ(display.terminalesInactivas(), terminales);
    EXPECT_EQ(display.impresorasRedirigidas(), impresoras);
}

TEST_F(AccesoDisplayTest, DayEndRunsAtSixAfterWorkingDay) {
    // The server closes the day against its own clock, so the test's day is today.
    const QDate hoy = QDate::currentDate();
    ahora = QDateTime(hoy, QTime(6, 0));
    setFechaTrabajo(hoy.addDays(-1));
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());

    const AccesoDisplay::Refresco refresco = display.refrescar(acceso);

    EXPECT_EQ(refresco.accion, AccesoDisplay::Accion::FinDia);
    EXPECT_EQ(fechaTrabajoGuardada(), hoy.toString(QStringLiteral("ddMMyyyy")));
    EXPECT_EQ(reiniciar(1), 0) << "the terminal that closed the day clears its own restart request";
    EXPECT_EQ(reiniciar(2), 1);
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("frmAcceso hide")});
    EXPECT_EQ(platform.requests, QStringList{QStringLiteral("restart")});
    EXPECT_EQ(terminaciones, 1);
    EXPECT_EQ(respaldosHechos(),
              QStringList{QStringLiteral("DBNERIN-") + ahora.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                          QStringLiteral(".db")});
}

TEST_F(AccesoDisplayTest, NoDayEndBeforeSix) {
    const QDate hoy = QDate::currentDate();
    ahora = QDateTime(hoy, QTime(5, 59));
    setFechaTrabajo(hoy.addDays(-1));
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());

    EXPECT_EQ(display.refrescar(acceso).accion, AccesoDisplay::Accion::Ninguna);
    EXPECT_EQ(fechaTrabajoGuardada(), hoy.addDays(-1).toString(QStringLiteral("ddMMyyyy")));
    EXPECT_TRUE(platform.requests.isEmpty());
    EXPECT_EQ(terminaciones, 0);
}

TEST_F(AccesoDisplayTest, RestartRequestIsClearedAndRestartsTheMachine) {
    setFechaTrabajo(ahora.date());
    exec(QStringLiteral("UPDATE Terminal SET Reiniciar=1"));
    conectar();
    AccesoDisplay display(*context, reloj(), terminar());

    const AccesoDisplay::Refresco refresco = display.refrescar(acceso);

    EXPECT_EQ(refresco.accion, AccesoDisplay::Accion::Reinicio);
    EXPECT_EQ(reiniciar(1), 0);
    EXPECT_EQ(reiniciar(2), 1) << "another terminal's request is left for it";
    EXPECT_EQ(platform.requests, QStringList{QStringLiteral("restart")});
    EXPECT_EQ(terminaciones, 0);
    EXPECT_TRUE(acceso.returns.isEmpty());
}

TEST_F(AccesoDisplayTest, ServerSearchWithoutServerNameTellsThePerson) {
    setSetting(QStringLiteral("Servidor"), QString());
    build();
    AccesoDisplay display(*context, reloj(), terminar());
    EXPECT_EQ(display.buscarServidor(), AccesoDisplay::Busqueda::SinNombre);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Servidor Invalido, llame a soporte!")});
    EXPECT_FALSE(context->servidorEncontrado);
}

TEST_F(AccesoDisplayTest, ServerSearchTakesTheTerminalNumberAsTheSettingsSayNow) {
    struct Case {
        const char* terminal; // nullptr: no such key
        AccesoDisplay::Busqueda esperada;
        qint16 numero;
    };
    const Case cases[] = {{"2", AccesoDisplay::Busqueda::Encontrado, 2},
                          {nullptr, AccesoDisplay::Busqueda::TerminalInvalida, 0},
                          {"abc", AccesoDisplay::Busqueda::TerminalInvalida, 0},
                          {"0", AccesoDisplay::Busqueda::TerminalInvalida, 0}};
    int terminacionesEsperadas = 0;
    for (const Case& c : cases) {
        const QString caso = c.terminal ? QString::fromLatin1(c.terminal) : QStringLiteral("(none)");
        build();
        if (c.terminal)
            setSetting(QStringLiteral("Terminal"), QString::fromLatin1(c.terminal));
        else
            QSettings(settingsFile(), QSettings::IniFormat).remove(QStringLiteral("Configuracion/Terminal"));
        const qsizetype avisos = prompts.mensajes().size();
        Arranque arranque(*context, acceso, stateFolder());
        AccesoDisplay display(*context, reloj(), terminar(), continuando(arranque));
        EXPECT_EQ(display.buscarServidor(), c.esperada) << caso.toStdString();
        if (c.esperada == AccesoDisplay::Busqueda::Encontrado) {
            EXPECT_TRUE(context->servidorEncontrado);
            EXPECT_EQ(context->terminal, c.numero);
            EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
        } else {
            ++terminacionesEsperadas;
            EXPECT_EQ(prompts.mensajes().mid(avisos),
                      QStringList{QStringLiteral("El numero de terinal es invalido!")})
                << caso.toStdString();
        }
        EXPECT_EQ(terminaciones, terminacionesEsperadas) << caso.toStdString();
    }
}

TEST_F(AccesoDisplayTest, ServerFoundBySearchFinishesStartUp) {
    setSetting(QStringLiteral("Terminal"), QStringLiteral("2"));
    build();
    Arranque arranque(*context, acceso, stateFolder());
    AccesoDisplay display(*context, reloj(), terminar(), continuando(arranque));
    EXPECT_EQ(display.buscarServidor(), AccesoDisplay::Busqueda::Encontrado);
    EXPECT_TRUE(context->servidorEncontrado);
    EXPECT_EQ(context->terminal, 2);
    EXPECT_TRUE(context->funcion(6)) << "the terminal's functions are loaded";
    EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
    EXPECT_EQ(terminaciones, 0);

    // A terminal that start-up refuses ends the program there.
    setSetting(QStringLiteral("Terminal"), QStringLiteral("77"));
    EXPECT_EQ(display.buscarServidor(), AccesoDisplay::Busqueda::TerminalInvalida);
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("La terminal esta mal configurada, llame a soporte"));
    EXPECT_EQ(terminaciones, 1);
}

TEST_F(AccesoDisplayTest, ServerSearchConnectsToTheServerNameItReadNow) {
    setSetting(QStringLiteral("Servidor"), m_dir.filePath(QStringLiteral("ninguna")));
    build();
    Arranque arranque(*context, acceso, stateFolder());
    AccesoDisplay display(*context, reloj(), terminar(), continuando(arranque));
    EXPECT_EQ(display.buscarServidor(), AccesoDisplay::Busqueda::NoResponde);
    setSetting(QStringLiteral("Servidor"), dbFolder());
    EXPECT_EQ(display.buscarServidor(), AccesoDisplay::Busqueda::Encontrado);
    EXPECT_EQ(context->servidor, dbFolder());
    EXPECT_EQ(display.nombreTerminal(), QStringLiteral("CAJA PRINCIPAL"));
}

TEST_F(AccesoDisplayTest, ServerSearchFallsBackToThisMachineOnlyWhenTheSettingsSaySo) {
    struct Case {
        const char* respaldo; // BackupNameServer; nullptr: no such key
        bool encontrado;
    };
    const Case cases[] = {{"1", true}, {"0", false}, {"RESPALDO\\SQLEXPRESS", false}, {nullptr, false}};
    for (const Case& c : cases) {
        const QString caso = c.respaldo ? QString::fromLatin1(c.respaldo) : QStringLiteral("(none)");
        setSetting(QStringLiteral("Servidor"), m_dir.filePath(QStringLiteral("ninguna")));
        if (c.respaldo)
            setSetting(QStringLiteral("BackupNameServer"), QString::fromLatin1(c.respaldo));
        else
            QSettings(settingsFile(), QSettings::IniFormat)
                .remove(QStringLiteral("Configuracion/BackupNameServer"));
        // The machine's own name leads to the database, as a folder of that name holds it.
        platform.nombre = dbFolder();
        build();
        Arranque arranque(*context, acceso, stateFolder());
        AccesoDisplay display(*context, reloj(), terminar(), continuando(arranque));
        EXPECT_EQ(display.buscarServidor(),
                  c.encontrado ? AccesoDisplay::Busqueda::Encontrado : AccesoDisplay::Busqueda::NoResponde)
            << caso.toStdString();
        EXPECT_EQ(context->servidor, c.encontrado ? dbFolder() : QString()) << caso.toStdString();
    }
}

} // namespace
} // namespace nerin
