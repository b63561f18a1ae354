#include "tools/nerin-printq/PrintQueueProgram.h"

#include "base/CommandLine.h"
#include "data/Bitacora.h"
#include "data/StatePaths.h"
#include "data/odbc/OdbcConnection.h"
#include "printing/PlainTextRenderer.h"
#include "server/SqliteConnection.h"
#include "startup/TerminalSettings.h"
#include "tools/nerin-printq/PrintQueueService.h"
#include "tools/nerin-printq/PrintQueueStore.h"

#include <QDateTime>

namespace nerin {

namespace {

const char* const kUso =
    "Uso: nerin-printq [--db ARCHIVO | --odbc CONEXION] [--once] [--intervalo MS] [--pausa MS]\n"
    "                    [--pausa-maxima MS] [--espera MS] [--reclamo MS] [--abandono MS]\n"
    "     nerin-printq [--db ARCHIVO | --odbc CONEXION] --ver TRABAJO\n";

const char* const kAyuda =
    "\n"
    "Imprime los trabajos de la cola de impresión del restaurante: sigue la redirección de\n"
    "impresoras, convierte las marcas de impresión a ESC/POS y manda cada trabajo al puerto de su\n"
    "impresora (tcp://HOST:PUERTO, un dispositivo, file:RUTA o dir:CARPETA). Sin --once atiende la\n"
    "cola hasta recibir SIGTERM o SIGINT, y termina de enviar lo que estaba enviando antes de salir.\n"
    "Sin --db ni --odbc usa la base de datos de la configuración de la terminal.\n"
    "\n"
    "Opciones:\n"
    "  --db ARCHIVO       la base de datos SQLite ARCHIVO.\n"
    "  --odbc CONEXION    la base de datos de SQL Server de la cadena de conexión ODBC CONEXION.\n"
    "  --once             imprime lo que hay en la cola y termina.\n"
    "  --intervalo MS     cada cuánto se lee la cola cuando no hay nada que hacer (1000).\n"
    "  --pausa MS         la pausa tras la primera falla de una impresora (1000); se duplica con\n"
    "                     cada falla.\n"
    "  --pausa-maxima MS  la pausa más larga entre dos intentos (60000).\n"
    "  --espera MS        cuánto puede tardar una impresora en aceptar un trabajo (10000).\n"
    "  --reclamo MS       cuánto tiempo otra copia del programa deja en paz un trabajo tomado\n"
    "                     (60000; al menos --espera y diez segundos más).\n"
    "  --abandono MS      un trabajo que su terminal deja abierto ese tiempo se marca fallido y no\n"
    "                     se imprime (600000).\n"
    "  --ver TRABAJO      escribe el trabajo número TRABAJO como texto y termina.\n"
    "  -h, --help         muestra esta ayuda y termina.\n"
    "\n"
    "Archivos:\n"
    "  ~/.config/NERIN/NERIN.ini          la configuración, grupo [Configuracion], sin NERIN_CONFIG.\n"
    "  ESTADO/morvo/NerinColaDDMMAAAA.log la bitácora del día, que también va a la salida de\n"
    "                                     errores; se guardan 90 días (DiasBitacora).\n"
    "  Los puertos file: y dir: con una ruta relativa se toman desde ESTADO.\n"
    "\n"
    "Variables de entorno:\n"
    "  NERIN_CONFIG   el archivo de configuración de la terminal (INI): Motor, Servidor y\n"
    "                 BASE_DE_DATOS dicen qué base de datos atender.\n"
    "  NERIN_STATE    la carpeta de estado ESTADO; sin ella, $XDG_STATE_HOME/nerin o\n"
    "                 ~/.local/state/nerin.\n"
    "\n"
    "Estado de salida:\n"
    "  0   terminó por una señal, o con --once todo lo tomado se imprimió.\n"
    "  1   no se pudo abrir la base de datos, o con --once quedó algo sin imprimir o la cola no se\n"
    "      pudo leer.\n"
    "  2   argumentos o configuración no válidos.\n";

} // namespace

int PrintQueueProgram::usage(const char* problem) {
    std::fprintf(m_err, "%s\n%s", problem, kUso);
    return 2;
}

int PrintQueueProgram::run(const QList<QByteArray>& arguments, const std::atomic<bool>& stop) {
    QStringList texts;
    for (const QByteArray& a : arguments)
        texts.append(QString::fromLocal8Bit(a));
    CommandLine commandLine({
        {QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})},
        {QCommandLineOption(QStringLiteral("db"), {}, QStringLiteral("ARCHIVO"))},
        {QCommandLineOption(QStringLiteral("odbc"), {}, QStringLiteral("CONEXION"))},
        {QCommandLineOption(QStringLiteral("once"))},
        {QCommandLineOption(QStringLiteral("intervalo"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("pausa"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("pausa-maxima"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("espera"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("reclamo"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("abandono"), {}, QStringLiteral("MS"))},
        {QCommandLineOption(QStringLiteral("ver"), {}, QStringLiteral("TRABAJO"))},
    });
    if (Status parsed = commandLine.parse(texts); !parsed)
        return usage(qUtf8Printable(parsed.message()));
    if (commandLine.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, m_out);
        std::fputs(kAyuda, m_out);
        return 0;
    }
    if (!commandLine.positional().isEmpty())
        return usage(
            qUtf8Printable(QStringLiteral("Argumento no reconocido: ") + commandLine.positional().first()));
    const QString database = commandLine.value(QStringLiteral("db"));
    const QString odbc = commandLine.value(QStringLiteral("odbc"));
    if (!database.isEmpty() && !odbc.isEmpty())
        return usage("--db y --odbc no se combinan.");
    // A number of milliseconds (or a job) above 0; the option's default when not given.
    auto number = [&commandLine](const char* name, int& into) {
        if (!commandLine.isSet(QString::fromLatin1(name)))
            return true;
        bool ok = false;
        into = commandLine.value(QString::fromLatin1(name)).toInt(&ok);
        return ok && into > 0;
    };
    PrintQueueService::Options options;
    options.once = commandLine.isSet(QStringLiteral("once"));
    int preview = 0;
    if (!number("intervalo", options.pollMs))
        return usage("--intervalo espera milisegundos.");
    if (!number("pausa", options.firstPauseMs))
        return usage("--pausa espera milisegundos.");
    if (!number("pausa-maxima", options.maxPauseMs))
        return usage("--pausa-maxima espera milisegundos.");
    if (!number("espera", options.sendTimeoutMs))
        return usage("--espera espera milisegundos.");
    if (!number("reclamo", options.claimMs))
        return usage("--reclamo espera milisegundos.");
    if (!number("abandono", options.abandonMs))
        return usage("--abandono espera milisegundos.");
    if (!number("ver", preview))
        return usage("--ver espera el número de un trabajo.");
    options.maxPauseMs = std::max(options.maxPauseMs, options.firstPauseMs);

    std::unique_ptr<Connection> connection;
    if (!odbc.isEmpty()) {
        connection = std::make_unique<OdbcConnection>(odbc);
    } else if (!database.isEmpty()) {
        connection = std::make_unique<SqliteConnection>(database);
    } else {
        const TerminalSettings settings;
        if (settings.servidor().isEmpty())
            return usage(
                "Falta --db (o la configuración de la terminal, NERIN_CONFIG, con la base de datos).");
        const DatabaseSettings configured = settings.databaseSettings();
        if (Status valid = configured.check(); !valid) {
            std::fprintf(m_err, "%s\n", qUtf8Printable(valid.message()));
            return 2;
        }
        connection = createConnection(configured);
    }
    if (Status opened = connection->open(); !opened) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(opened.message()));
        return 1;
    }

    if (preview != 0) {
        const Result<QStringList> lines = PrintQueueStore(*connection).lines(preview);
        if (!lines) {
            std::fprintf(m_err, "%s\n", qUtf8Printable(lines.status().message()));
            return 1;
        }
        std::fputs(PlainTextRenderer::render(*lines).toUtf8().constData(), m_out);
        return 0;
    }

    Bitacora bitacora(logRoot());
    bitacora.FijarNombreBitacora(QStringLiteral("NerinCola"));
    bitacora.setDiasConservados(TerminalSettings().diasBitacora());
    options.baseFolder = stateRoot();
    PrintQueueService service(*connection, options, [this, &bitacora](const QString& line) {
        std::fprintf(
            m_err, "%s %s\n",
            qUtf8Printable(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))),
            qUtf8Printable(line));
        std::fflush(m_err);
        bitacora.EscribirBitacora(line);
    });
    const int status = service.run(stop);
    if (options.once)
        std::fprintf(
            m_err,
            "%d trabajos impresos, %d intentos fallidos, %d trabajos sin cerrar marcados como fallidos\n",
            service.printed(), service.failures(), service.abandoned());
    return status;
}

} // namespace nerin
