// Signing in with a card: from the keystrokes of a swipe on the access screen to the moment the
// open-tables screen is asked for, on the demo restaurant with a year of history (about 400 orders a
// day). The card is mesero1's as the README lists it, typed into the screen as a keyboard card reader
// types it; the waiter is clocked in and the terminal uses clock-in (function 15), as at the demo's
// cashier station, so every check of the sign-in runs. Between swipes the waiter leaves through
// SalirSistema, outside the timing. Runs on the embedded database and on PostgreSQL ("/sqlite",
// "/postgres").
//
//   bench_signin               (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "access/FirmaEmpleado.h"
#include "access/frmAcceso.h"
#include "bench/BenchTerminal.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using nerin::bench::Motor;

const QString kTarjeta =
    QStringLiteral("%4B982B0A976B1AC75E3B7E1383183B54_N50781204220193362812101000000011_");

// Counts the sign-ins that reached the open-tables route.
class Mesas : public nerin::fakes::RecordingNavegacion {
public:
    void mesasAbiertas(ModoMesas) override { ++veces; }
    int veces = 0;
};

// The demo restaurant with its history, and a terminal on its access screen.
struct Terminal : nerin::bench::BenchTerminal {
    Mesas mesas;
    std::unique_ptr<nerin::frmAcceso> acceso;

    explicit Terminal(Motor cual) : BenchTerminal(cual) {
        if (!conectar()->execute(QStringLiteral("UPDATE Empleado SET Firmado=1 WHERE Id_Empleado=1")))
            fallar("no se pudo firmar al mesero");
        context->terminal = 1;
        context->setFuncion(nerin::FirmaEmpleado::kFuncionChecador, true);
        context->setNavegacion(&mesas);
        nerin::frmAcceso::Opciones opciones;
        opciones.pantallaCompleta = false;
        opciones.terminarPrograma = [] { std::abort(); };
        acceso = std::make_unique<nerin::frmAcceso>(*context, std::move(opciones));
        acceso->showAccessScreen(true);
    }

    void deslizar() {
        for (const QChar c : kTarjeta) {
            QKeyEvent tecla(QEvent::KeyPress, static_cast<int>(c.unicode()), Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(acceso.get(), &tecla);
        }
    }
};

Terminal& terminal(Motor motor) {
    static int argc = 1;
    static char nombre[] = "bench_signin";
    static char* argv[] = {nombre, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    return unoPorMotor<Terminal>(motor);
}

void BM_SwipeToOpenTables(benchmark::State& state, Motor motor) {
    if (nerin::bench::sinServidor(state, motor))
        return;
    Terminal& t = terminal(motor);
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
[[maybe_unused]] const int kSwipeToOpenTables =
    nerin::bench::enAmbos("BM_SwipeToOpenTables", BM_SwipeToOpenTables,
                          [](auto* b) { b->Unit(benchmark::kMillisecond)->MinTime(2.0); });

} // namespace
