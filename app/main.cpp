// nerin-terminal: the touch-screen terminal. Reads its settings, opens the event log and the
// database, runs the start-up sequence and leaves the access screen standing.
//
//   nerin-terminal [--windowed] [--configurar] [--drive SCRIPT]
//
// --configurar opens the terminal configuration screen before start-up, so that a new terminal can
// be set up on the spot; start-up then goes on with what was saved. A drive script starts before
// start-up, so it can answer start-up's own questions and messages.
#include "access/frmAcceso.h"
#include "app/DriveFaults.h"
#include "app/Driver.h"
#include "app/Navegador.h"
#include "app/QtSystemMessageBox.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/StatePaths.h"
#include "keyboards/QtPrompts.h"
#include "startup/Arranque.h"
#include "startup/Configuracion.h"
#include "startup/LinuxPlatform.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/frmConfiguracion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

namespace {

// The key under which the demo restaurant's card numbers and passwords are stored.
const QString kClaveDemo = QStringLiteral("NERIN-DEMO-2026");

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nerin"));
    QApplication::setApplicationVersion(QStringLiteral(NERIN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Terminal de punto de venta Nerin"));
    parser.addHelpOption();
    const QCommandLineOption ventana(QStringLiteral("windowed"),
                                     QStringLiteral("En una ventana, no a pantalla completa."));
    const QCommandLineOption guion(QStringLiteral("drive"), QStringLiteral("Ejecuta un guion de prueba."),
                                   QStringLiteral("SCRIPT"));
    const QCommandLineOption configurar(
        QStringLiteral("configurar"),
        QStringLiteral("Abre la configuración de la terminal antes de arrancar."));
    parser.addOption(ventana);
    parser.addOption(guion);
    parser.addOption(configurar);
    parser.process(app);
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
    const QString claveTarjetas = ajuste(settings, QStringLiteral("ClaveTarjetas"), kClaveDemo);
    // Driven, the connection can be made to fail from the script.
    nerin::DriveFaults fallas;
    const bool conGuion = parser.isSet(guion);
    nerin::BaseDatos baseDatos(
        [&settings, &fallas, conGuion] {
            auto conexion = nerin::createConnection(settings.databaseSettings());
            return conGuion ? fallas.envolver(std::move(conexion)) : std::move(conexion);
        },
        bitacora, messageBox, &terminarPrograma, claveTarjetas);
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
    nerin::frmAcceso acceso(context, std::move(opciones));
    prompts.setParent(&acceso);
    nerin::Navegador navegador(context, acceso);
    navegador.setPantallaCompleta(!parser.isSet(ventana));
    context.setNavegacion(&navegador);

    // The script's result is the program's. It ends the main event loop when that is running; when it
    // ends earlier (during start-up), the program ends once start-up is done.
    nerin::Driver driver(lineasGuion);
    bool bucleEnMarcha = false;
    if (conGuion) {
        fallas.instalar(driver);
        driver.start([&bucleEnMarcha](int codigo) {
            if (bucleEnMarcha)
                QCoreApplication::exit(codigo);
        });
    }

    if (parser.isSet(configurar)) {
        nerin::Configuracion configuracion(settings, prompts, platform, &terminarPrograma);
        nerin::frmConfiguracion pantalla(configuracion);
        pantalla.mostrar();
    }

    nerin::Arranque arranque(context, acceso, nerin::stateRoot());
    const nerin::Status arrancado = arranque.run();
    if (!arrancado.isOk()) {
        std::fprintf(stderr, "nerin-terminal: %s\n", qPrintable(arrancado.message()));
        // Driven, the script says whether this ending was the one expected.
        if (conGuion)
            return driver.abandonar(QStringLiteral("el programa terminó al arrancar"));
        return 1;
    }
    if (conGuion && driver.terminado())
        return driver.codigo();
    bucleEnMarcha = true;
    return QApplication::exec();
}
