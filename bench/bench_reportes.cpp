// The waiter's closing report and the clock-out report of the demo waiter (employee 1) on the demo
// restaurant with a year of history, at closing time: the last day of the history is moved onto the
// working date, so that the day holds a full day of orders and payments besides the demo's, and every
// past day holds two shifts of every employee. Each benchmark reports the statements sent per run.
//
//   bench_reportes        (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "bench/BenchTerminal.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImprimirSalida.h"
#include "printing/ImprimirVerificacion.h"
#include "text/TextFormat.h"

#include <benchmark/benchmark.h>

namespace nerin {
namespace {

struct Terminal : bench::BenchTerminal {
    Terminal() {
        Connection& conexion = baseDatos->connection();
        const QString hoy = baseDatos
                                ->ConsultarCampo(QStringLiteral("Valor_Cad"), QStringLiteral("Parametros"),
                                                 QStringLiteral("Id_Parametro='FECHA_TRABAJO'"))
                                .toString();
        const std::optional<QDate> fecha = TextFormat::parseWorkingDate(hoy);
        if (!fecha)
            std::abort();
        const QString ayer = TextFormat::date(fecha->addDays(-1), u"ddmmyyyy");
        if (!conexion.execute(QStringLiteral("UPDATE Comanda SET fecha_trabajo='%1' WHERE fecha_trabajo='%2'")
                                  .arg(hoy, ayer)))
            std::abort();
        // Shifts of the working date and of every past day: morning and evening, each employee.
        if (!conexion.beginTransaction())
            std::abort();
        for (int dia = 0; dia <= 365; ++dia) {
            const QDate d = fecha->addDays(-dia);
            for (int empleado = 1; empleado <= 4; ++empleado) {
                for (const auto& [inicio, fin] : {std::pair{"09:00", "13:30"}, std::pair{"17:00", "23:45"}}) {
                    const QString sql =
                        QStringLiteral(
                            "INSERT INTO HorasxEmpleado (Id_Empleado, id_departamento, Hora_Inicio, "
                            "Hora_Final, Fecha_Trabajo) VALUES (%1, %2, '%3 %4', '%3 %5', '%6')")
                            .arg(empleado)
                            .arg(empleado)
                            .arg(TextFormat::date(d, u"dd/mm/yyyy"), QString::fromLatin1(inicio),
                                 QString::fromLatin1(fin), TextFormat::date(d, u"ddmmyyyy"));
                    if (!conexion.execute(sql))
                        std::abort();
                }
            }
        }
        if (!conexion.commit())
            std::abort();
    }

    ContextoImpresion contexto() {
        return ContextoImpresion{
            .baseDatos = *baseDatos,
            .bitacora = *bitacora,
            .mensaje = [](const QString&, int) { return 0; },
            .horaServidor = [] { return QDateTime::currentDateTime(); },
            .terminal = 1,
            .anchoTicket = 40,
            .direccionDeParametros = false,
            .idEmpleado = 1,
            .usuario = QStringLiteral("mesero1"),
        };
    }
};

Terminal& terminal() {
    static Terminal t;
    return t;
}

template <bool (*Reporte)(const ContextoImpresion&, ColaImpresion&, qint16)>
void BM_Reporte(benchmark::State& state) {
    Terminal& t = terminal();
    const ContextoImpresion contexto = t.contexto();
    ColaImpresion cola(*t.baseDatos);
    const qint64 antes = bench::CountingConnection::sent;
    for (auto _ : state) {
        if (!Reporte(contexto, cola, 1))
            std::abort();
    }
    bench::contarSentencias(state, bench::CountingConnection::sent - antes);
}

void BM_ImprimirVerificacion(benchmark::State& state) {
    BM_Reporte<ImprimirVerificacion>(state);
}
BENCHMARK(BM_ImprimirVerificacion)->Unit(benchmark::kMillisecond);

void BM_ImprimirSalida(benchmark::State& state) {
    BM_Reporte<ImprimirSalida>(state);
}
BENCHMARK(BM_ImprimirSalida)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace nerin
