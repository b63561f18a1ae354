// A busy Saturday night: several terminal programs on one database, each driving a waiter's whole
// service in a loop (open a table, ten items with modifiers, all to the kitchen, the account printed,
// paid, the table closed), with two print-queue programs on the same queue. Afterwards the books and
// the paper are checked (nothing lost, doubled or failed) and the time of every touch is reported by
// kind: p50, p99 and worst.
//
//   carga_sabado [--minutos N] [--terminales N] [--pausa MS] [--motor sqlite|postgres]...
//
// PostgreSQL needs the cluster NERIN_PG_PRUEBAS names (scripts/carga starts one). Exits 1 when
// anything did not add up; slow touches are reported, not failed.
#include "bench/sabado/Cuadre.h"
#include "bench/sabado/Restaurante.h"
#include "bench/sabado/Servicio.h"
#include "bench/sabado/Tiempos.h"
#include "server/DatabaseBuilder.h"
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>

namespace nerin::carga {
namespace {

constexpr double kMetaMs = 100.0;

struct Opciones {
    int segundos = 600;
    int terminales = 8;
    int pausaMs = 250;
    QStringList motores{QStringLiteral("sqlite"), QStringLiteral("postgres")};
    // Keeps each night's folder (settings, scripts, logs, times, printed paper) to look into.
    bool conservar = false;
};

void escribir(const QString& archivo, const QString& texto, QFileDevice::Permissions permisos = {}) {
    QFile file(archivo);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(texto.toUtf8()) < 0) {
        std::fprintf(stderr, "carga_sabado: no se puede escribir %s\n", qUtf8Printable(archivo));
        std::exit(2);
    }
    if (permisos)
        file.setPermissions(permisos);
}

// Every file under `carpeta` whose name matches `filtro`, by file name, their texts joined.
void juntar(const QString& carpeta, const QString& filtro, QHash<QString, QString>* textos) {
    QDirIterator it(carpeta, {filtro}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            (*textos)[it.fileName()] += QString::fromUtf8(file.readAll());
    }
}

// The restaurant's database for one engine, and the settings lines that name it.
struct Base {
    std::unique_ptr<Connection> conexion;
    QString ajustes;
    std::unique_ptr<testing::PgTestDatabase> pg;
};

Status crearBase(const QString& motor, const QString& carpeta, Base* base) {
    if (motor == QLatin1String("sqlite")) {
        const QString archivo = carpeta + QStringLiteral("/DBNERIN.db");
        if (Status creada = DatabaseBuilder::create(archivo, true); !creada)
            return creada;
        base->conexion = std::make_unique<SqliteConnection>(archivo);
        base->ajustes = QStringLiteral("Motor=sqlite\nServidor=%1\nBASE_DE_DATOS=DBNERIN\n").arg(carpeta);
        return base->conexion->open();
    }
    // The cluster's connection string reads "host=H port=P dbname=D user=U password=W".
    QHash<QString, QString> cluster;
    for (const QString& par : testing::PgTestDatabase::clusterConnInfo().split(u' ', Qt::SkipEmptyParts))
        cluster.insert(par.section(u'=', 0, 0), par.section(u'=', 1));
    if (cluster.isEmpty())
        return Status::invalid(testing::PgTestDatabase::skipReason());
    base->pg = std::make_unique<testing::PgTestDatabase>();
    if (Status creada = base->pg->create(); !creada)
        return creada;
    if (Status creada = DatabaseBuilder::createPostgres(base->pg->connInfo(), true); !creada)
        return creada;
    const QString clave = carpeta + QStringLiteral("/clave");
    escribir(clave, cluster.value(QStringLiteral("password")) + u'\n', QFile::ReadOwner | QFile::WriteOwner);
    base->conexion = std::make_unique<PostgresConnection>(base->pg->connInfo());
    base->ajustes =
        QStringLiteral("Motor=postgres\nServidor=%1:%2\nBASE_DE_DATOS=%3\nUsuario=%4\nArchivoClave=%5\n")
            .arg(cluster.value(QStringLiteral("host")), cluster.value(QStringLiteral("port")),
                 base->pg->name(), cluster.value(QStringLiteral("user")), clave);
    return base->conexion->open();
}

qint64 primero(Connection& conexion, const QString& sql) {
    const Result<RecordSet> filas = conexion.query(sql);
    return filas && !filas->eof() ? filas->value(0).toInt() : -1;
}

QProcess* lanzar(const QString& programa, const QStringList& argumentos,
                 const QHash<QString, QString>& variables, QObject* padre) {
    auto* proceso = new QProcess(padre);
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        entorno.insert(it.key(), it.value());
    proceso->setProcessEnvironment(entorno);
    proceso->setProcessChannelMode(QProcess::SeparateChannels);
    proceso->start(programa, argumentos);
    return proceso;
}

// One night on one engine; false when anything did not add up.
bool noche(const QString& motor, const Opciones& opciones) {
    QTemporaryDir carpeta;
    carpeta.setAutoRemove(!opciones.conservar);
    const QString raiz = carpeta.path();
    Base base;
    QList<TerminalCarga> terminales;
    Status listo = crearBase(motor, raiz, &base);
    if (listo)
        listo = prepararRestaurante(*base.conexion, opciones.terminales, &terminales);
    if (!listo) {
        std::printf("## %s: no se pudo preparar: %s\n", qUtf8Printable(motor),
                    qUtf8Printable(listo.message()));
        return false;
    }
    const Inicio inicio{
        primero(*base.conexion, QStringLiteral("SELECT ISNULL(MAX(ID_Comanda),0) FROM Comanda")),
        primero(*base.conexion, QStringLiteral("SELECT ISNULL(MAX(ID_Trabajo),0) FROM Cola_Trabajo"))};

    QObject dueno;
    QList<QProcess*> colas;
    for (int j = 1; j <= 2; ++j) {
        const QString estado = raiz + QStringLiteral("/cola%1").arg(j);
        QDir().mkpath(estado);
        colas << lanzar(QStringLiteral(NERIN_PRINTQ_BINARY),
                        {QStringLiteral("--intervalo"), QStringLiteral("200")},
                        {{QStringLiteral("NERIN_CONFIG"), raiz + QStringLiteral("/t1/nerin.ini")},
                         {QStringLiteral("NERIN_STATE"), estado}},
                        &dueno);
    }
    // The terminals start spread over one service, as waiters who do not touch in step.
    const QStringList unServicio = guionServicio(terminales.first(), opciones.pausaMs, 0);
    const qsizetype toquesPorServicio =
        unServicio.filter(QRegularExpression(QStringLiteral("^wait "))).size();
    const auto escalon = static_cast<unsigned long>(toquesPorServicio * opciones.pausaMs / terminales.size());
    QList<QProcess*> procesos;
    QElapsedTimer reloj;
    reloj.start();
    for (const TerminalCarga& terminal : std::as_const(terminales)) {
        if (!procesos.isEmpty())
            QThread::msleep(escalon);
        const QString suya = raiz + QStringLiteral("/t%1").arg(terminal.numero);
        QDir().mkpath(suya);
        escribir(suya + QStringLiteral("/nerin.ini"),
                 QStringLiteral("[Configuracion]\n") + base.ajustes +
                     QStringLiteral("Terminal=%1\nClaveTarjetas=NERIN-DEMO-2026\n").arg(terminal.numero));
        escribir(suya + QStringLiteral("/guion.txt"),
                 guionServicio(terminal, opciones.pausaMs, opciones.segundos).join(u'\n') + u'\n');
        procesos << lanzar(
            QStringLiteral(NERIN_TERMINAL_BINARY),
            {QStringLiteral("--windowed"), QStringLiteral("--drive"), suya + QStringLiteral("/guion.txt")},
            {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
             {QStringLiteral("NERIN_CONFIG"), suya + QStringLiteral("/nerin.ini")},
             {QStringLiteral("NERIN_STATE"), suya + QStringLiteral("/estado")},
             {QStringLiteral("NERIN_TIEMPOS"), suya + QStringLiteral("/tiempos.txt")}},
            &dueno);
    }

    QStringList faltas;
    for (int i = 0; i < procesos.size(); ++i) {
        QProcess* terminal = procesos.at(i);
        if (!terminal->waitForFinished(opciones.segundos * 1000 + 300'000))
            terminal->kill();
        terminal->waitForFinished();
        if (terminal->exitStatus() != QProcess::NormalExit || terminal->exitCode() != 0)
            faltas << QStringLiteral("la terminal %1 terminó con %2: %3")
                          .arg(i + 1)
                          .arg(terminal->exitCode())
                          .arg(QString::fromUtf8(terminal->readAllStandardError()).right(600));
    }
    const double minutos = static_cast<double>(reloj.elapsed()) / 60000.0;
    // The queue programs print what is left, then stop as the service manager would stop them.
    for (int espera = 0;
         espera < 600 && primero(*base.conexion, QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo "
                                                                "WHERE Estado IN ('A','P')")) != 0;
         ++espera)
        QThread::msleep(100);
    for (QProcess* cola : std::as_const(colas)) {
        cola->terminate();
        if (!cola->waitForFinished(30'000) || cola->exitCode() != 0)
            faltas << QStringLiteral("una cola de impresión no terminó bien: ") +
                          QString::fromUtf8(cola->readAllStandardError()).right(600);
    }

    QHash<QString, QString> impreso;
    QHash<QString, QString> bitacoras;
    for (int j = 1; j <= 2; ++j) {
        juntar(raiz + QStringLiteral("/cola%1").arg(j), QStringLiteral("*.txt"), &impreso);
        juntar(raiz + QStringLiteral("/cola%1").arg(j), QStringLiteral("*.log"), &bitacoras);
    }
    // Every touch, and the touches after each terminal's first service, whose screens and statements
    // are met for the first time.
    Tiempos tiempos;
    Tiempos enMarcha;
    for (const TerminalCarga& terminal : std::as_const(terminales)) {
        juntar(raiz + QStringLiteral("/t%1/estado").arg(terminal.numero), QStringLiteral("*.log"),
               &bitacoras);
        const QString archivo = raiz + QStringLiteral("/t%1/tiempos.txt").arg(terminal.numero);
        if (!tiempos.leer(archivo) || !enMarcha.leer(archivo, toquesPorServicio))
            faltas << QStringLiteral("la terminal %1 no dejó sus tiempos").arg(terminal.numero);
    }
    qint64 servicios = 0;
    faltas << cuadrarNoche(*base.conexion, inicio, impreso, QStringList(bitacoras.values()).join(u'\n'),
                           &servicios);

    std::printf("## %s: %d terminales, %.1f minutos, pausa de %d ms entre toques\n\n", qUtf8Printable(motor),
                opciones.terminales, minutos, opciones.pausaMs);
    if (opciones.conservar)
        std::printf("- Carpeta: %s\n", qUtf8Printable(raiz));
    std::printf("- Servicios completos: %lld (%.1f por minuto); toques: %lld.\n",
                static_cast<long long>(servicios), static_cast<double>(servicios) / minutos,
                static_cast<long long>(tiempos.toques()));
    std::printf("- Faltas: %lld.\n", static_cast<long long>(faltas.size()));
    for (const QString& falta : std::as_const(faltas).first(std::min<qsizetype>(faltas.size(), 40)))
        std::printf("  - %s\n", qUtf8Printable(falta));
    const auto informe = [](const char* titulo, const Tiempos& cuales) {
        const QStringList lentos = cuales.lentos(kMetaMs);
        std::printf("### %s\n\nCon p99 de %.0f ms o más: %s.\n\n%s\n", titulo, kMetaMs,
                    lentos.isEmpty() ? "ninguno" : qUtf8Printable(lentos.join(QStringLiteral(", "))),
                    qUtf8Printable(cuales.tabla()));
    };
    informe("Todos los toques", tiempos);
    informe("Sin el primer servicio de cada terminal", enMarcha);
    std::fflush(stdout);
    return faltas.isEmpty();
}

} // namespace
} // namespace nerin::carga

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
    nerin::carga::Opciones opciones;
    opciones.segundos =
        parser.isSet(segundos) ? parser.value(segundos).toInt() : parser.value(minutos).toInt() * 60;
    opciones.terminales = parser.value(terminales).toInt();
    opciones.pausaMs = parser.value(pausa).toInt();
    opciones.conservar = parser.isSet(conservar);
    if (parser.isSet(motor))
        opciones.motores = parser.values(motor);
    bool bien = true;
    for (const QString& cual : std::as_const(opciones.motores))
        bien = nerin::carga::noche(cual, opciones) && bien;
    return bien ? 0 : 1;
}
