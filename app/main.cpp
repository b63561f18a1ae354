// nerin-terminal: the touch-screen terminal. Reads its settings, opens the event log and the
// database, runs the start-up sequence and leaves the access screen standing.
//
//   nerin-terminal [--windowed] [--configurar] [--drive SCRIPT [--revisar-textos]]
//
// It refuses to start with an unknown database back-end ("Motor") or without the card key
// ("ClaveTarjetas") in its settings.
//
// --configurar opens the terminal configuration screen before start-up, so that a new terminal can
// be set up on the spot; start-up then goes on with what was saved. A drive script starts before
// start-up, so it can answer start-up's own questions and messages. With --revisar-textos the script
// also looks, before each of its lines, for texts that the screens on show cut, and fails when it met
// any, listing them.
#include "access/frmAcceso.h"
#include "app/DriveFaults.h"
#include "app/Driver.h"
#include "app/Navegador.h"
#include "app/QtSystemMessageBox.h"
#include "base/CommandLine.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/StatePaths.h"
#include "keyboards/DialogoEspera.h"
#include "keyboards/QtPrompts.h"
#include "startup/Arranque.h"
#include "startup/Configuracion.h"
#include "startup/LinuxPlatform.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/frmConfiguracion.h"
#include "ui/RevisionTextos.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A value of the terminal's settings that TerminalSettings does not read itself.
QString ajuste(const nerin::TerminalSettings& settings, const QString& clave, const QString& defecto) {
    QSettings ini(settings.fileName(), QSettings::IniFormat);
    return ini.value(QStringLiteral("Configuracion/") + clave, defecto).toString();
}

// Ends the process at once: the database is gone or the machine is restarting, and nothing left
// running (timers, open windows) may touch the database again on the way out.
[[noreturn]] void terminarPrograma() {
    std::fflush(stdout);
    std::fflush(stderr);
    std::quick_exit(EXIT_FAILURE);
}

const char* const kUso =
    "Uso: nerin-terminal [--windowed] [--configurar] [--drive GUION [--revisar-textos]]\n";

const char* const kAyuda =
    "\n"
    "La terminal de punto de venta del restaurante, de pantalla táctil. Lee su configuración, abre la\n"
    "bitácora y la base de datos, arranca y deja en pie la pantalla de acceso, a pantalla completa.\n"
    "\n"
    "Opciones:\n"
    "  --windowed      en una ventana en lugar de la pantalla completa.\n"
    "  --configurar    abre la pantalla de configuración de la terminal antes de arrancar; el\n"
    "                  arranque sigue con lo que se guardó.\n"
    "  --drive GUION   recorre las pantallas con el guion GUION (swipe, click, enter, answer,\n"
    "                  expect...); termina en la primera línea que no se cumple y dice por qué.\n"
    "  --revisar-textos con --drive, antes de cada línea del guion revisa que ningún texto visible\n"
    "                  quede cortado ni ninguna ventana salga de la pantalla; si alguno no cabe,\n"
    "                  termina con 1 y dice cuáles.\n"
    "  -h, --help      muestra esta ayuda y termina.\n"
    "\n"
    "Archivos:\n"
    "  ~/.config/NERIN/NERIN.ini      la configuración, grupo [Configuracion], sin NERIN_CONFIG.\n"
    "  ESTADO/morvo/NerinDDMMAAAA.log la bitácora del día; se guardan 90 días (DiasBitacora).\n"
    "  ESTADO/respaldos/              los respaldos de la base SQLite tras cada cierre del día.\n"
    "\n"
    "Variables de entorno:\n"
    "  NERIN_CONFIG    el archivo de configuración (INI): Motor, Servidor, BASE_DE_DATOS,\n"
    "                  Terminal, ClaveTarjetas...\n"
    "  NERIN_STATE     la carpeta de estado ESTADO; sin ella, $XDG_STATE_HOME/nerin o\n"
    "                  ~/.local/state/nerin.\n"
    "\n"
    "Estado de salida:\n"
    "  0   el guion de --drive se cumplió, o se cerró la aplicación.\n"
    "  1   no pudo arrancar (configuración no válida, sin clave de tarjetas, sin base de datos),\n"
    "      terminó por un error que pide reiniciarla (enlace perdido con la base de datos) o una\n"
    "      línea del guion no se cumplió.\n"
    "  2   argumentos no válidos o un guion que no se pudo leer.\n";

QList<nerin::CommandLine::Option> opciones() {
    return {
        {QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})},
        {QCommandLineOption(QStringLiteral("windowed"))},
        {QCommandLineOption(QStringLiteral("drive"), {}, QStringLiteral("SCRIPT"))},
        {QCommandLineOption(QStringLiteral("configurar"))},
        {QCommandLineOption(QStringLiteral("revisar-textos"))},
    };
}

} // namespace

int main(int argc, char* argv[]) {
    // The help is given before the application exists, so that it needs no display. Other arguments
    // are read once the application took its own (-platform...).
    {
        QStringList crudos;
        for (int i = 1; i < argc; ++i)
            crudos.append(QString::fromLocal8Bit(argv[i]));
        nerin::CommandLine previo(opciones());
        if (previo.parse(crudos) && previo.isSet(QStringLiteral("help"))) {
            std::fputs(kUso, stdout);
            std::fputs(kAyuda, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nerin"));
    QApplication::setApplicationVersion(QStringLiteral(NERIN_VERSION));

    nerin::CommandLine parser(opciones());
    const QString ventana = QStringLiteral("windowed");
    const QString guion = QStringLiteral("drive");
    const QString configurar = QStringLiteral("configurar");
    const QString revisarTextos = QStringLiteral("revisar-textos");
    nerin::Status leido = parser.parse(QCoreApplication::arguments().mid(1));
    if (leido && !parser.positional().isEmpty())
        leido =
            nerin::Status::invalid(QStringLiteral("Argumento no reconocido: ") + parser.positional().first());
    if (leido && parser.isSet(revisarTextos) && !parser.isSet(guion))
        leido = nerin::Status::invalid(QStringLiteral("--revisar-textos necesita --drive"));
    if (!leido) {
        std::fprintf(stderr, "%s\n%s", qUtf8Printable(leido.message()), kUso);
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, stdout);
        std::fputs(kAyuda, stdout);
        return 0;
    }
    QStringList lineasGuion;
    if (parser.isSet(guion)) {
        QString error;
        if (!nerin::Driver::cargar(parser.value(guion), &lineasGuion, &error)) {
            std::fprintf(stderr, "nerin-terminal: %s\n", qPrintable(error));
            return 2;
        }
    }

    nerin::TerminalSettings settings;
    nerin::Bitacora bitacora(nerin::logRoot());
    nerin::QtSystemMessageBox messageBox;
    const QString claveTarjetas = ajuste(settings, QStringLiteral("ClaveTarjetas"), QString());
    // Driven, the connection can be made to fail from the script.
    nerin::DriveFaults fallas;
    const bool conGuion = parser.isSet(guion);
    // Each connection is made for the server name the terminal asks for: the one in the settings at
    // start-up, or the one the server search has just read.
    nerin::BaseDatos baseDatos(
        [&settings, &fallas, conGuion](const QString& servidor) {
            nerin::DatabaseSettings donde = settings.databaseSettings();
            donde.servidor = servidor;
            auto conexion = nerin::createConnection(donde);
            return conGuion ? fallas.envolver(std::move(conexion)) : std::move(conexion);
        },
        settings.servidor(), bitacora, messageBox, &terminarPrograma, claveTarjetas);
    nerin::QtPrompts prompts(&bitacora);
    bitacora.setAvisoCarpeta(
        [&prompts](const QString& mensaje) { prompts.Mensaje(mensaje, nerin::Prompts::kExclamation); });
    nerin::LinuxPlatform platform;
    nerin::TerminalContext context(baseDatos, bitacora, prompts, platform, settings);

    nerin::frmAcceso::Opciones opciones;
    opciones.logo = QCoreApplication::applicationDirPath() + QStringLiteral("/Logo.Nerin");
    opciones.titulo = QStringLiteral("Nerin");
    opciones.version = QStringLiteral(NERIN_VERSION);
    opciones.mesero = ajuste(settings, QStringLiteral("mesero"), QString());
    opciones.pantallaCompleta = !parser.isSet(ventana);
    opciones.terminarPrograma = &terminarPrograma;
    // The access screen's server search hands over to start-up, made below, once it found the server.
    std::unique_ptr<nerin::Arranque> arranque;
    opciones.continuarArranque = [&arranque](const QString& servidor) {
        return arranque->continuar(servidor);
    };
    nerin::frmAcceso acceso(context, std::move(opciones));
    prompts.setParent(&acceso);
    nerin::DialogoEspera esperaServicio(&acceso);
    context.setEsperaServicio(&esperaServicio);
    nerin::Navegador navegador(context, acceso);
    navegador.setPantallaCompleta(!parser.isSet(ventana));
    context.setNavegacion(&navegador);

    // Driven with NERIN_TIEMPOS=FILE, each touch's kind and time in microseconds are appended to FILE,
    // one touch a line, for a load test to read. The file outlives the driver that writes it.
    QFile tiempos(qEnvironmentVariable("NERIN_TIEMPOS"));
    if (parser.isSet(guion) && !tiempos.fileName().isEmpty() &&
        !tiempos.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "nerin-terminal: no se puede escribir %s: %s\n",
                     qUtf8Printable(tiempos.fileName()), qUtf8Printable(tiempos.errorString()));
        return 2;
    }

    // The script's result is the program's. It ends the main event loop when that is running; when it
    // ends earlier (during start-up), the program ends once start-up is done.
    nerin::Driver driver(lineasGuion);
    if (tiempos.isOpen())
        driver.setMedirToques([&tiempos](const QString& toque, qint64 microsegundos) {
            tiempos.write((toque + u'\t' + QString::number(microsegundos) + u'\n').toUtf8());
        });
    nerin::RevisionTextos revision;
    if (parser.isSet(revisarTextos))
        driver.setAntesDeCadaLinea([&revision] { revision.revisarVentanas(); });
    // A script that passed fails all the same when it met texts cut.
    const auto conRevision = [&revision](int codigo) {
        if (revision.cortados().isEmpty())
            return codigo;
        std::fprintf(stderr, "Textos que no caben:\n%s\n", qUtf8Printable(revision.informe()));
        return codigo == 0 ? 1 : codigo;
    };
    bool bucleEnMarcha = false;
    if (conGuion) {
        fallas.instalar(driver);
        driver.start([&bucleEnMarcha, &conRevision](int codigo) {
            if (bucleEnMarcha)
                QCoreApplication::exit(conRevision(codigo));
        });
    }

    // Ends the program during start-up; driven, the script says whether this ending was the one expected.
    auto terminarAlArrancar = [&](const QString& motivo) {
        std::fprintf(stderr, "nerin-terminal: %s\n", qUtf8Printable(motivo));
        if (conGuion)
            return driver.abandonar(QStringLiteral("el programa terminó al arrancar"));
        return 1;
    };
    // Settings the terminal cannot work with end it before it touches the database. Without the card
    // key no card could be read, and a made-up key would let anyone who knows it make cards.
    nerin::Status ajustesValidos = settings.databaseSettings().check();
    if (ajustesValidos && claveTarjetas.isEmpty())
        ajustesValidos = nerin::Status::invalid(QStringLiteral(
            "Falta la clave de las tarjetas (ClaveTarjetas) en la configuración de la terminal; "
            "llame a soporte."));
    if (!ajustesValidos) {
        prompts.Mensaje(ajustesValidos.message(), nerin::Prompts::kCritical);
        return terminarAlArrancar(ajustesValidos.message());
    }

    if (parser.isSet(configurar)) {
        nerin::Configuracion configuracion(settings, prompts, platform, &terminarPrograma);
        nerin::frmConfiguracion pantalla(configuracion);
        pantalla.mostrar();
    }

    arranque = std::make_unique<nerin::Arranque>(context, acceso, nerin::stateRoot());
    const nerin::Status arrancado = arranque->run();
    if (!arrancado.isOk())
        return terminarAlArrancar(arrancado.message());
    if (conGuion && driver.terminado())
        return conRevision(driver.codigo());
    bucleEnMarcha = true;
    return QApplication::exec();
}
