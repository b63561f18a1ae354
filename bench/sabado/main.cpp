// A busy Saturday night: several terminal programs on one database, each driving a waiter's whole
// service in a loop (open a table, ten items with modifiers, all to the kitchen, the account printed,
// paid, the table closed), with two print-queue programs on the same queue. Afterwards the books and
// the paper are checked (nothing lost, doubled or failed) and the time of every touch is reported by
// kind: p50, p99 and worst.
//
//   carga_sabado [--minutos N] [--terminales N] [--pausa MS] [--motor sqlite|postgres]... [--conservar]
//
// PostgreSQL needs the cluster NERIN_PG_PRUEBAS names (scripts/carga starts one). Exits 1 when
// anything did not add up; slow touches are reported, not failed.
#include "bench/sabado/Noche.h"
#include "server/postgres/testing/PgDemoDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr double kMetaMs = 100.0;

void informe(const char* titulo, const nerin::carga::Tiempos& tiempos) {
    const QStringList lentos = tiempos.lentos(kMetaMs);
    std::printf("### %s\n\nCon p99 de %.0f ms o más: %s.\n\n%s\n", titulo, kMetaMs,
                lentos.isEmpty() ? "ninguno" : qUtf8Printable(lentos.join(QStringLiteral(", "))),
                qUtf8Printable(tiempos.tabla()));
}

// One night on one engine, reported; false when anything did not add up.
bool noche(const QString& motor, const nerin::carga::OpcionesNoche& opciones) {
    const nerin::Result<nerin::carga::Noche> corrida = nerin::carga::correrNoche(motor, opciones);
    if (!corrida) {
        std::printf("## %s: no se pudo preparar: %s\n", qUtf8Printable(motor),
                    qUtf8Printable(corrida.status().message()));
        return false;
    }
    const nerin::carga::Noche& n = *corrida;
    std::printf("## %s: %d terminales, %.1f minutos, pausa de %d ms entre toques\n\n", qUtf8Printable(motor),
                opciones.terminales, n.minutos, opciones.pausaMs);
    if (!n.carpeta.isEmpty())
        std::printf("- Carpeta: %s\n", qUtf8Printable(n.carpeta));
    std::printf("- Servicios completos: %lld (%.1f por minuto); toques: %lld.\n",
                static_cast<long long>(n.servicios), static_cast<double>(n.servicios) / n.minutos,
                static_cast<long long>(n.tiempos.toques()));
    std::printf("- Faltas: %lld.\n", static_cast<long long>(n.faltas.size()));
    for (const QString& falta : n.faltas.first(std::min<qsizetype>(n.faltas.size(), 40)))
        std::printf("  - %s\n", qUtf8Printable(falta));
    informe("Todos los toques", n.tiempos);
    informe("Sin el primer servicio de cada terminal", n.enMarcha);
    std::fflush(stdout);
    return n.faltas.isEmpty();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption minutos(QStringLiteral("minutos"), QStringLiteral("Minutos de cada noche (10)."),
                                     QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption segundos(QStringLiteral("segundos"), QStringLiteral("Segundos de cada noche."),
                                      QStringLiteral("N"));
    const QCommandLineOption terminales(QStringLiteral("terminales"), QStringLiteral("Terminales (8)."),
                                        QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption pausa(QStringLiteral("pausa"),
                                   QStringLiteral("Milisegundos entre toques (250)."), QStringLiteral("MS"),
                                   QStringLiteral("250"));
    const QCommandLineOption motor(QStringLiteral("motor"),
                                   QStringLiteral("sqlite o postgres; se repite (ambos)."),
                                   QStringLiteral("MOTOR"));
    const QCommandLineOption conservar(
        QStringLiteral("conservar"), QStringLiteral("Conserva la carpeta de cada noche y dice dónde está."));
    parser.addOptions({minutos, segundos, terminales, pausa, motor, conservar});
    parser.process(app);
    nerin::carga::OpcionesNoche opciones;
    opciones.segundos =
        parser.isSet(segundos) ? parser.value(segundos).toInt() : parser.value(minutos).toInt() * 60;
    opciones.terminales = parser.value(terminales).toInt();
    opciones.pausaMs = parser.value(pausa).toInt();
    opciones.conservar = parser.isSet(conservar);
    opciones.terminal = QStringLiteral(NERIN_TERMINAL_BINARY);
    opciones.printq = QStringLiteral(NERIN_PRINTQ_BINARY);
    const QStringList motores = parser.isSet(motor)
                                    ? parser.values(motor)
                                    : QStringList{QStringLiteral("sqlite"), QStringLiteral("postgres")};
    bool bien = true;
    for (const QString& cual : motores)
        bien = noche(cual, opciones) && bien;
    nerin::testing::PgDemoDatabase::borrarDemo();
    return bien ? 0 : 1;
}
