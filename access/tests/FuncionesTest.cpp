#include "access/Funciones.h"

#include "access/tests/AccessFixture.h"
#include "printing/ColaImpresion.h"
#include "startup/tests/RecordingNavegacion.h"

namespace nerin::fakes {
namespace {

using Boton = Funciones::Boton;
using Despues = Funciones::Despues;

// Employees of the demo restaurant, with their work groups' permissions.
constexpr qint16 kMesero = 1;
constexpr qint16 kGerente = 2;
constexpr qint16 kCajero = 3;
constexpr qint16 kSinGrupo = 9;

class FuncionesTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        // An employee in no work group: none of the menu's permissions.
        exec(QStringLiteral("INSERT INTO Empleado (Id_Empleado, Usuario, Nombre_Empleado, Apellido_Paterno, "
                            "Apellido_Materno, Admin_Usuarios, ID_Terminal, Firmado, Estado_Empleado) "
                            "VALUES (9, 'nuevo', 'ANA', 'RIOS', 'PAZ', 0, 0, 1, 'A')"));
    }

    Funciones& funciones(qint16 idEmpleado) {
        conectar();
        context->setNavegacion(&nav);
        context->setFuncion(Funciones::kFuncionChecador, true);
        context->iniciarSesion(Sesion(idEmpleado, QStringLiteral("usuario%1").arg(idEmpleado),
                                      QStringLiteral("EMPLEADO"), false));
        cola = std::make_unique<ColaImpresion>(*baseDatos);
        m_menu = std::make_unique<Funciones>(*context, acceso, *cola);
        EXPECT_TRUE(m_menu->cargarPermisos());
        return *m_menu;
    }

    RecordingNavegacion nav;
    std::unique_ptr<ColaImpresion> cola;
    std::unique_ptr<Funciones> m_menu;
};

TEST_F(FuncionesTest, EachEmployeeSeesTheButtonsOfTheirPermissions) {
    struct Caso {
        qint16 empleado;
        QList<Boton> habilitados;
        QList<Boton> deshabilitados;
    };
    const Caso casos[] = {
        {kMesero,
         {Boton::MesasAbiertas, Boton::MesaNueva, Boton::Verificacion, Boton::ResumenPagos,
          Boton::ResumenVentas, Boton::Salir, Boton::FinDia, Boton::Checador},
         {Boton::CambioTarjetas, Boton::PruebaImpresion, Boton::Apagar, Boton::PersonalFirmado,
          Boton::RegistrarCliente, Boton::Cortesias}},
        // Permission 69 lies above the session's flags and still enables its button.
        {kGerente,
         {Boton::CambioTarjetas, Boton::PruebaImpresion, Boton::RedirigirImpresoras, Boton::ColaImpresion,
          Boton::Activar, Boton::Apagar, Boton::Reiniciar, Boton::RegistrarCliente,
          Boton::TarjetaProvisional},
         {}},
        {kCajero, {Boton::CambioTarjetas, Boton::RegistrarCliente, Boton::PersonalFirmado}, {Boton::Apagar}},
        {kSinGrupo,
         {Boton::Salir, Boton::FinDia, Boton::Checador},
         {Boton::MesasAbiertas, Boton::MesaNueva, Boton::Verificacion, Boton::CambioTarjetas}},
    };
    for (const Caso& caso : casos) {
        Funciones& menu = funciones(caso.empleado);
        for (Boton boton : caso.habilitados)
            EXPECT_TRUE(menu.habilitado(boton)) << caso.empleado << " " << static_cast<int>(boton);
        for (Boton boton : caso.deshabilitados)
            EXPECT_FALSE(menu.habilitado(boton)) << caso.empleado << " " << static_cast<int>(boton);
    }
}

TEST_F(FuncionesTest, ClockInButtonOnlyWithTheTerminalsClockInFunction) {
    Funciones& menu = funciones(kMesero);
    context->setFuncion(Funciones::kFuncionChecador, false);
    EXPECT_FALSE(menu.visible(Boton::Checador));
    EXPECT_FALSE(menu.habilitado(Boton::Checador));
    EXPECT_TRUE(menu.visible(Boton::Salir));
}

TEST_F(FuncionesTest, DisabledButtonDoesNothing) {
    Funciones& menu = funciones(kMesero);
    EXPECT_EQ(menu.pulsar(Boton::Apagar), Despues::Quedarse);
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_TRUE(platform.requests.isEmpty());
}

TEST_F(FuncionesTest, SwitchingOffAsksThenLeavesAndSwitchesOff) {
    Funciones& menu = funciones(kGerente);
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(menu.pulsar(Boton::Apagar), Despues::Quedarse);
    EXPECT_TRUE(platform.requests.isEmpty());

    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_EQ(menu.pulsar(Boton::Reiniciar), Despues::Fuera);
    EXPECT_EQ(platform.requests, QStringList{QStringLiteral("restart")});
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("FrmFunciones unload")});
    EXPECT_FALSE(context->sesion().activa());
}

// The close of day that goes through is driven through the real program; here, the refusal and the
// failure, which must leave this terminal's restart request and the working date alone.
TEST_F(FuncionesTest, CloseOfDayRefusedOrFailedChangesNothing) {
    const QString ayer = QDate::currentDate().addDays(-1).toString(QStringLiteral("ddMMyyyy"));
    setFechaTrabajo(QDate::currentDate().addDays(-1));
    exec(QStringLiteral("UPDATE Terminal SET Reiniciar=1"));
    Funciones& menu = funciones(kMesero);
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(menu.pulsar(Boton::FinDia), Despues::Quedarse);

    faultyConnection->failAt(busyDatabase(1, QStringLiteral("Fin_Dia")));
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_EQ(menu.pulsar(Boton::FinDia), Despues::Quedarse);
    EXPECT_EQ(fechaTrabajoGuardada(), ayer);
    EXPECT_EQ(reiniciar(1), 1);
    EXPECT_EQ(messageBox.shown.size(), 1);
    EXPECT_EQ(prompts.mensajes().size(), 2); // the two questions: no "Día cerrado"
}

// A close of day backs the database up into the state folder. A backup that cannot be written leaves
// the day closed, goes to the event log, and is told once, after the close.
TEST_F(FuncionesTest, CloseOfDayBacksTheDatabaseUpAndAFailedBackupIsToldOnceAfterwards) {
    const QString hoy = QDate::currentDate().toString(QStringLiteral("ddMMyyyy"));
    const struct {
        bool carpetaOcupada; // a file stands where the backup folder goes
        qsizetype respaldos;
        qsizetype mensajes;
    } casos[] = {{false, 1, 2}, {true, 0, 3}};
    for (const auto& caso : casos) {
        SetUp();
        QDir(stateFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(stateFolder()));
        if (caso.carpetaOcupada) {
            QFile ocupa(stateFolder() + QStringLiteral("/respaldos"));
            ASSERT_TRUE(ocupa.open(QIODevice::WriteOnly));
        }
        setFechaTrabajo(QDate::currentDate().addDays(-1));
        Funciones& menu = funciones(kMesero);
        prompts = ScriptedPrompts();
        prompts.answerMensaje(Prompts::kAnswerYes);
        EXPECT_EQ(menu.pulsar(Boton::FinDia), Despues::Quedarse);
        EXPECT_EQ(fechaTrabajoGuardada(), hoy);
        EXPECT_EQ(respaldosHechos().size(), caso.respaldos);
        const QStringList mensajes = prompts.mensajes();
        ASSERT_EQ(mensajes.size(), caso.mensajes) << mensajes.join(u'|').toStdString();
        EXPECT_TRUE(mensajes[1].startsWith(QStringLiteral("Día cerrado.")));
        const QStringList registro = logLines(QString::fromLatin1(Bitacora::kPrefijoArranque));
        const QString fallo = QStringLiteral("Falló el respaldo de la base de datos");
        EXPECT_EQ(registro.filter(fallo).size(), caso.carpetaOcupada ? 1 : 0);
        if (caso.carpetaOcupada) {
            EXPECT_TRUE(mensajes[2].startsWith(QStringLiteral("El día se cerró, pero no se pudo respaldar")));
        }
        EXPECT_TRUE(messageBox.shown.isEmpty());
    }
}

TEST_F(FuncionesTest, ScreensNotYetAvailableLeaveTheMenuStanding) {
    Funciones& menu = funciones(kGerente);
    nav.disponible = false;
    for (Boton boton : {Boton::AjustePropinas, Boton::Reimprimir, Boton::RegistrarCliente, Boton::Activar})
        EXPECT_EQ(menu.pulsar(boton), Despues::Quedarse);
    // Nothing was opened, so nothing asks to register another customer, and "Activar" stays usable.
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_TRUE(menu.habilitado(Boton::Activar));

    nav.disponible = true;
    EXPECT_EQ(menu.pulsar(Boton::Activar), Despues::Quedarse);
    EXPECT_FALSE(menu.habilitado(Boton::Activar));
    EXPECT_EQ(menu.pulsar(Boton::MesasAbiertas), Despues::Ocultar);
}

TEST_F(FuncionesTest, AProvisionalCardIsActivatedOnlyWithItsFolioTypedTwiceAndAPermanentCard) {
    const struct {
        qint64 primero;
        qint64 segundo; // -1: the keypad cancelled
        bool tarjeta;   // whether the card window accepts a card
        const char* aviso;
        const char* ruta; // the card window's route, when it opened
    } casos[] = {
        {1000001, 1000002, true, "El folio no corresponde, intenta nuevamente!", nullptr},
        {1000001, -1, true, nullptr, nullptr},
        {1000001, 1000001, false, nullptr, "tarjetaCliente Pase la tarjeta permanente offline"},
        // The service's address answers nobody: the client's reason follows "Error: ".
        {1000001, 1000001, true, "Error: ", "tarjetaCliente Pase la tarjeta permanente offline"},
    };
    for (const auto& caso : casos) {
        Funciones& menu = funciones(kGerente);
        context->urlLealtad = QStringLiteral("http://127.0.0.1:1/loyalty");
        nav.rutas.clear();
        nav.tarjeta.reset();
        if (caso.tarjeta) {
            nav.tarjeta.emplace();
            nav.tarjeta->cliente = QStringLiteral("100000000000033");
        }
        prompts = ScriptedPrompts();
        prompts.answerNumero({false, caso.primero, false});
        prompts.answerNumero({caso.segundo < 0, caso.segundo, false});
        EXPECT_EQ(menu.pulsar(Boton::TarjetaProvisional), Despues::Quedarse);
        EXPECT_EQ(prompts.asked().at(1).texto,
                  QStringLiteral("Inserta de nuevo el Folio de la Tarjeta provisional"));
        EXPECT_EQ(nav.rutas, caso.ruta ? QStringList{QString::fromUtf8(caso.ruta)} : QStringList{});
        const QStringList mensajes = prompts.mensajes();
        if (!caso.aviso)
            EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join(u'|').toStdString();
        else
            EXPECT_TRUE(mensajes.size() == 1 && mensajes.first().startsWith(QString::fromUtf8(caso.aviso)))
                << mensajes.join(u'|').toStdString();
    }
}

} // namespace
} // namespace nerin::fakes
