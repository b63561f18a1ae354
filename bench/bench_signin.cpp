// Signing in with a card: from the keystrokes of a swipe on the access screen to the moment the
// open-tables screen is asked for, on the demo restaurant with a year of history (about 400 orders a
// day). The card is mesero1's as the README lists it, typed into the screen as a keyboard card reader
// types it; the waiter is clocked in and the terminal uses clock-in (function 15), as at the demo's
// cashier station, so every check of the sign-in runs. Between swipes the waiter leaves through
// SalirSistema, outside the timing.
//
//   bench_signin               (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "access/FirmaEmpleado.h"
#include "access/frmAcceso.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/ScriptedPrompts.h"
#include "server/ConnectionFactory.h"
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/SqliteConnection.h"
#include "startup/LinuxPlatform.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

const QString kTarjeta =
    QStringLiteral("%4B982B0A976B1AC75E3B7E1383183B54_N50781204220193362812101000000011_");
const QString kClaveDemo = QStringLiteral("NERIN-DEMO-2026");

class SinMensajes : public nerin::SystemMessageBox {
public:
    void show(const QString& text, const QString&, Icon) override {
        std::fprintf(stderr, "bench_signin: %s\n", qPrintable(text));
    }
};

// Counts the sign-ins that reached the open-tables route.
class Mesas : public nerin::fakes::RecordingNavegacion {
public:
    void mesasAbiertas(ModoMesas) override { ++veces; }
    int veces = 0;
};

// The demo restaurant with its history, and a terminal on its access screen.
struct Terminal {
    QTemporaryDir dir;
    std::unique_ptr<nerin::TerminalSettings> settings;
    std::unique_ptr<nerin::Bitacora> bitacora;
    SinMensajes cajas;
    std::unique_ptr<nerin::BaseDatos> baseDatos;
    nerin::ScriptedPrompts prompts;
    nerin::LinuxPlatform platform;
    std::unique_ptr<nerin::TerminalContext> context;
    Mesas mesas;
    std::unique_ptr<nerin::frmAcceso> acceso;

    bool preparar(int dias) {
        const QString db = dir.path() + QStringLiteral("/DBNERIN.db");
        if (!nerin::DatabaseBuilder::create(db, true))
            return false;
        {
            nerin::SqliteConnection connection(db);
            if (!connection.open())
                return false;
            if (dias > 0 && !nerin::HistoryGenerator::generate(connection, dias, 11))
                return false;
            if (!connection.execute(QStringLiteral("UPDATE Empleado SET Firmado=1 WHERE Id_Empleado=1")))
                return false;
        }
        const QString ini = dir.path() + QStringLiteral("/nerin.ini");
        QFile archivo(ini);
        if (!archivo.open(QIODevice::WriteOnly))
            return false;
        archivo.write(
            QStringLiteral("[Configuracion]\nMotor=sqlite\nServidor=%1\nBASE_DE_DATOS=DBNERIN\nTerminal=1\n")
                .arg(dir.path())
                .toUtf8());
        archivo.close();
        settings = std::make_unique<nerin::TerminalSettings>(ini);
        bitacora = std::make_unique<nerin::Bitacora>(dir.path() + QStringLiteral("/morvo"));
        const nerin::DatabaseSettings where = settings->databaseSettings();
        baseDatos = std::make_unique<nerin::BaseDatos>([where] { return nerin::createConnection(where); },
                                                       *bitacora, cajas, [] { std::abort(); }, kClaveDemo);
        if (!baseDatos->ConectarBD())
            return false;
        context =
            std::make_unique<nerin::TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings);
        context->terminal = 1;
        context->setFuncion(nerin::FirmaEmpleado::kFuncionChecador, true);
        context->setNavegacion(&mesas);
        nerin::frmAcceso::Opciones opciones;
        opciones.pantallaCompleta = false;
        opciones.terminarPrograma = [] { std::abort(); };
        acceso = std::make_unique<nerin::frmAcceso>(*context, std::move(opciones));
        acceso->showAccessScreen(true);
        return true;
    }

    void deslizar() {
        for (const QChar c : kTarjeta) {
            QKeyEvent tecla(QEvent::KeyPress, static_cast<int>(c.unicode()), Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(acceso.get(), &tecla);
        }
    }
};

Terminal* terminal() {
    static int argc = 1;
    static char nombre[] = "bench_signin";
    static char* argv[] = {nombre, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static Terminal* t = [] {
        const int dias = qEnvironmentVariableIsSet("NERIN_BENCH_HISTORY_DAYS")
                             ? qEnvironmentVariableIntValue("NERIN_BENCH_HISTORY_DAYS")
                             : 365;
        auto* nueva = new Terminal;
        if (!nueva->preparar(dias)) {
            std::fprintf(stderr, "bench_signin: no se pudo preparar el restaurante\n");
            std::abort();
        }
        return nueva;
    }();
    return t;
}

void BM_SwipeToOpenTables(benchmark::State& state) {
    Terminal& t = *terminal();
    for (auto _ : state) {
        const int antes = t.mesas.veces;
        t.deslizar();
        if (t.mesas.veces != antes + 1) {
            state.SkipWithError("the swipe did not reach the open-tables screen");
            break;
        }
        state.PauseTiming();
        t.context->SalirSistema(*t.acceso, QStringLiteral("frmMesasAbiertas"), false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SwipeToOpenTables)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
