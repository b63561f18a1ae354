// Speed of the text helpers that every ticket line goes through.
#include "printing/AlinearTexto.h"
#include "printing/MontoANombre.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MontoANombre(benchmark::State& state) {
    const nerin::Currency monto = *nerin::Currency::parse(QStringLiteral("2345678.90"));
    const QString idioma = QStringLiteral("ESPAÑOL");
    const QString moneda = QStringLiteral("pesos");
    for (auto _ : state)
        benchmark::DoNotOptimize(nerin::MontoANombre(monto, idioma, moneda));
}
BENCHMARK(BM_MontoANombre);

void BM_AlinearTextoTicketLine(benchmark::State& state) {
    const QString descripcion = QStringLiteral("Fettuccine Alfredo con camarón (2X145.00)");
    const QString importe = QStringLiteral("290.00");
    for (auto _ : state) {
        QString linea = nerin::AlinearTexto(descripcion, 25, nerin::kAlinearIzquierda, true) +
                        nerin::AlinearTexto(importe, 15, nerin::kAlinearDerecha, true);
        benchmark::DoNotOptimize(linea);
    }
}
BENCHMARK(BM_AlinearTextoTicketLine);

void BM_AlinearTextoCentredWrap(benchmark::State& state) {
    const QString texto = QStringLiteral("Le invitamos a pertenecer a nuestro club de clientes");
    for (auto _ : state)
        benchmark::DoNotOptimize(nerin::AlinearTexto(texto, 32, nerin::kAlinearCentro, false));
}
BENCHMARK(BM_AlinearTextoCentredWrap);

} // namespace
