// The order screen's work on the demo restaurant with a year of history, without the screen: showing
// a submenu's buttons, adding a product to the account, storing 20 items, sending 10 lines to the
// kitchen, adding a package with three components and storing it, opening an order of 30 items, and
// cancelling a dish already sent with its slip. Each runs on the embedded database and on PostgreSQL
// ("/sqlite", "/postgres"), and reports the statements it sent to the database per run.
//
//   bench_order            (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "order/AgregarProducto.h"
#include "order/Anulacion.h"
#include "order/ComandaActual.h"
#include "order/Despacho.h"
#include "order/GuardarProductos.h"
#include "order/MenuProductos.h"
#include "order/Paquetes.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

// Terminal 1 with the waiter mesero1 signed in and serving-time headers on, made once for all
// benchmarks.
struct Terminal : bench::BenchTerminal {
    explicit Terminal(bench::Motor cual) : BenchTerminal(cual) {
        context->iniciarSesion(Sesion(1, {}, {}, false));
        context->setFuncion(6, true);
    }

    // An order of employee 1 on table 5 (the demo's order 1).
    std::unique_ptr<ComandaActual> comanda(qint32 orden = 1) {
        auto actual = std::make_unique<ComandaActual>(*context);
        actual->IDComanda = orden;
        actual->Control = 1;
        if (!actual->DatosEmpleado() || !actual->MostrarProductosComandaActual())
            std::abort();
        return actual;
    }
};

Terminal& terminal(bench::Motor motor) {
    return bench::unoPorMotor<Terminal>(motor);
}

void contar(benchmark::State& state, qint64 antes) {
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}

void BM_SubmenuButtons(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    auto comanda = terminal(motor).comanda();
    MenuProductos menu(*comanda);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state)
        benchmark::DoNotOptimize(menu.MostrarProductosSubMenu(3));
    contar(state, antes);
}
[[maybe_unused]] const int kSubmenuButtons =
    bench::enAmbos("BM_SubmenuButtons", BM_SubmenuButtons, [](auto* b) { b->Unit(benchmark::kMillisecond); });

void BM_AddProduct(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    auto comanda = terminal(motor).comanda();
    AgregarProducto agregar(*comanda);
    const int lineas = comanda->cuadricula().size();
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        benchmark::DoNotOptimize(agregar.AñadirProductoAComanda(101, TipoLinea::Producto));
        state.PauseTiming();
        comanda->cuadricula().lineas().resize(lineas);
        state.ResumeTiming();
    }
    contar(state, antes);
}
[[maybe_unused]] const int kAddProduct =
    bench::enAmbos("BM_AddProduct", BM_AddProduct, [](auto* b) { b->Unit(benchmark::kMillisecond); });

void BM_StoreTwentyItems(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    auto comanda = terminal(motor).comanda(2);
    AgregarProducto agregar(*comanda);
    GuardarProductos guardar(*comanda);
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 20; ++i)
            agregar.AñadirProductoAComanda(i % 2 ? 101 : 103, TipoLinea::Producto);
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!guardar.GuardarYPrepararNuevos())
            std::abort();
        enviadas += bench::CountingConnection::sent - antes;
    }
    bench::contarSentencias(state, enviadas);
}
[[maybe_unused]] const int kStoreTwentyItems =
    bench::enAmbos("BM_StoreTwentyItems", BM_StoreTwentyItems,
                   [](auto* b) { b->Unit(benchmark::kMillisecond)->Iterations(20); });

void BM_PrepareTenLines(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    // Ten stored lines pressed "Preparar" together: marked prepared and queued to the kitchen.
    auto comanda = terminal(motor).comanda(2);
    AgregarProducto agregar(*comanda);
    GuardarProductos guardar(*comanda);
    Despacho despacho(*comanda, guardar);
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QList<int> filas;
        for (int i = 0; i < 10; ++i)
            filas << agregar.AñadirProductoAComanda(i % 2 ? 101 : 103, TipoLinea::Producto)->fila;
        if (!guardar.GuardarYPrepararNuevos())
            std::abort();
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!despacho.preparar(filas))
            std::abort();
        enviadas += bench::CountingConnection::sent - antes;
    }
    bench::contarSentencias(state, enviadas);
}
[[maybe_unused]] const int kPrepareTenLines =
    bench::enAmbos("BM_PrepareTenLines", BM_PrepareTenLines,
                   [](auto* b) { b->Unit(benchmark::kMillisecond)->Iterations(20); });

void BM_AddPackageOfThreeAndStore(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    // The executive package with a starter, a main course and a drink, then stored.
    auto comanda = terminal(motor).comanda(2);
    AgregarProducto agregar(*comanda);
    Paquetes paquetes(*comanda, agregar);
    GuardarProductos guardar(*comanda);
    qint64 enviadas = 0;
    for (auto _ : state) {
        const qint64 antes = bench::CountingConnection::sent;
        const auto cabeza = paquetes.insertar(201);
        if (!cabeza)
            std::abort();
        for (qint32 contenido : {114, 119, 132})
            if (!paquetes.elegir(201, contenido, comanda->cuadricula().size() - 1))
                std::abort();
        if (!guardar.GuardarYPrepararNuevos())
            std::abort();
        enviadas += bench::CountingConnection::sent - antes;
    }
    bench::contarSentencias(state, enviadas);
}
[[maybe_unused]] const int kAddPackageOfThreeAndStore =
    bench::enAmbos("BM_AddPackageOfThreeAndStore", BM_AddPackageOfThreeAndStore,
                   [](auto* b) { b->Unit(benchmark::kMillisecond)->Iterations(20); });

void BM_OpenOrderOfThirtyItems(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    // Order 3 gets thirty items, some with modifiers and comments.
    {
        auto llena = terminal(motor).comanda(3);
        AgregarProducto agregar(*llena);
        while (llena->cuadricula().size() < 36)
            agregar.AñadirProductoAComanda(llena->cuadricula().size() % 3 ? 103 : 101, TipoLinea::Producto);
        if (!GuardarProductos(*llena).GuardarYPrepararNuevos()) {
            state.SkipWithError("the thirty items could not be stored");
            return;
        }
    }
    auto comanda = std::make_unique<ComandaActual>(*terminal(motor).context);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        comanda->IDComanda = 3;
        comanda->Control = 1;
        benchmark::DoNotOptimize(comanda->DatosEmpleado());
        benchmark::DoNotOptimize(comanda->MostrarProductosComandaActual());
    }
    contar(state, antes);
    state.counters["lineas"] = static_cast<double>(comanda->cuadricula().size());
}
[[maybe_unused]] const int kOpenOrderOfThirtyItems =
    bench::enAmbos("BM_OpenOrderOfThirtyItems", BM_OpenOrderOfThirtyItems,
                   [](auto* b) { b->Unit(benchmark::kMillisecond); });

void BM_CancelPreparedItem(benchmark::State& state, bench::Motor motor) {
    if (bench::sinServidor(state, motor))
        return;
    // The manager, who may cancel dishes already sent, cancels one with a reason: the checks, the
    // stamp, the server's record, the account's total and the slip with its kitchen copy.
    Terminal& t = terminal(motor);
    t.context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), {}, false));
    t.context->terminal = 1;
    auto comanda = t.comanda(2);
    AgregarProducto agregar(*comanda);
    GuardarProductos guardar(*comanda);
    Despacho despacho(*comanda, guardar);
    Anulacion anulacion(*comanda, guardar, [] {
        return RazonAnulacion{3, QStringLiteral("PLATILLO DEVUELTO"), false};
    });
    const qsizetype avisos = t.prompts.asked().size();
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int fila = agregar.AñadirProductoAComanda(101, TipoLinea::Producto)->fila;
        if (!despacho.preparar({fila}) || !comanda->MostrarProductosComandaActual())
            std::abort();
        // The dish just sent is the newest item of the account.
        int enviada = 0;
        const QList<LineaComanda>& lineas = comanda->cuadricula().lineas();
        for (int i = 0; i < lineas.size(); ++i)
            if (lineas.at(i).esProducto() && lineas.at(i).folio > lineas.at(enviada).folio)
                enviada = i;
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!anulacion.cancelar({enviada}))
            std::abort();
        enviadas += bench::CountingConnection::sent - antes;
    }
    // A failure is told to the person: nothing may have been.
    if (t.prompts.asked().size() != avisos)
        state.SkipWithError(t.prompts.asked().last().texto.toStdString().c_str());
    bench::contarSentencias(state, enviadas);
    t.context->iniciarSesion(Sesion(1, {}, {}, false));
}
[[maybe_unused]] const int kCancelPreparedItem =
    bench::enAmbos("BM_CancelPreparedItem", BM_CancelPreparedItem,
                   [](auto* b) { b->Unit(benchmark::kMillisecond)->Iterations(20); });

} // namespace
} // namespace nerin
