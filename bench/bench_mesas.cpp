// Joining two open tables of 20 items each, and splitting half of a table of 20 items into a new
// account, on the demo restaurant with a year of history, without the screen. A join locks both
// orders, moves accounts, items and payments, totals every account again and closes the source; a
// split makes the account, moves the items and totals every account; each is one transaction.
// Reports the statements sent per operation.
//
//   bench_mesas           (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "tables/CuentasComanda.h"
#include "tables/UnirMesas.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

struct Terminal : bench::BenchTerminal {
    Terminal() { context->iniciarSesion(Sesion(1, QStringLiteral("mesero1"), {}, false)); }

    void ejecutar(const QString& sql) {
        if (!baseDatos->connection().execute(sql))
            std::abort();
    }
    // A new open order of mesero1 at table `mesa`, with 20 items on its account 1, totalled.
    qint32 abrirConVeinte(qint16 mesa) {
        const qint32 id = ++ultimo;
        ejecutar(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado) VALUES "
                                "(%1, 9, %2, 1)")
                     .arg(id)
                     .arg(mesa));
        ejecutar(
            QStringLiteral("INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control) VALUES (%1, 1, 9)").arg(id));
        QStringList filas;
        for (int i = 0; i < 20; ++i)
            filas.append(QStringLiteral("(%1, 9, 1, %2, %3)").arg(id).arg(101 + i).arg(50 + i));
        ejecutar(QStringLiteral("INSERT INTO ProductosXCuenta (ID_Comanda, Control, Num_Cuenta, ID_Producto, "
                                "Precio) VALUES ") +
                 filas.join(u','));
        ejecutar(QStringLiteral("EXEC Totalizar_Cuenta %1,1,9").arg(id));
        return id;
    }
    qint32 ultimo = 1000000;
};

void BM_JoinTwoTablesOfTwentyItems(benchmark::State& state) {
    static Terminal t;
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const qint32 destino = t.abrirConVeinte(901);
        const qint32 origen = t.abrirConVeinte(902);
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!UnirMesas(*t.context).unir({origen, 9, 902}, QStringLiteral("901")).hecho)
            std::abort();
        state.PauseTiming();
        enviadas += bench::CountingConnection::sent - antes;
        t.ejecutar(
            QStringLiteral("UPDATE Comanda SET Abierta=0 WHERE ID_Comanda=%1 AND Control=9").arg(destino));
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_JoinTwoTablesOfTwentyItems)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_SplitTenOfTwentyItems(benchmark::State& state) {
    static Terminal t;
    qint64 enviadas = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const qint32 id = t.abrirConVeinte(903);
        CuentasComanda cuentas(*t.context, id, 9);
        const QList<CuentasComanda::Articulo> articulos = *cuentas.articulos(1);
        const qint64 antes = bench::CountingConnection::sent;
        state.ResumeTiming();
        if (!cuentas.dividir(1, QStringLiteral("903"), articulos.mid(0, 10)))
            std::abort();
        state.PauseTiming();
        enviadas += bench::CountingConnection::sent - antes;
        t.ejecutar(QStringLiteral("UPDATE Comanda SET Abierta=0 WHERE ID_Comanda=%1 AND Control=9").arg(id));
        state.ResumeTiming();
    }
    bench::contarSentencias(state, enviadas);
}
BENCHMARK(BM_SplitTenOfTwentyItems)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace
} // namespace nerin
