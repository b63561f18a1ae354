#include "bench/sabado/Noche.h"

#include "bench/sabado/Cuadre.h"
#include "bench/sabado/Restaurante.h"
#include "bench/sabado/Servicio.h"
#include "server/DatabaseBuilder.h"
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgDemoDatabase.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

namespace nerin::carga {

namespace {

Status escribir(const QString& archivo, const QString& texto) {
    QFile file(archivo);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(texto.toUtf8()) < 0)
        return Status::invalid(
            QStringLiteral("No se puede escribir %1: %2").arg(archivo, file.errorString()));
    return Status::ok();
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

// The restaurant's database for one engine, and a settings file that names it, which each terminal's
// settings start from.
struct Base {
    std::unique_ptr<Connection> conexion;
    QString ajustes;
    std::unique_ptr<testing::PgDemoDatabase> pg;
};

Status crearBase(const QString& motor, const QString& carpeta, Base* base) {
    base->ajustes = carpeta + QStringLiteral("/base.ini");
    if (motor == QLatin1String("sqlite")) {
        const QString archivo = carpeta + QStringLiteral("/DBNERIN.db");
        if (Status creada = DatabaseBuilder::create(archivo, true); !creada)
            return creada;
        QSettings ini(base->ajustes, QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Configuracion"));
        ini.setValue(QStringLiteral("Motor"), QStringLiteral("sqlite"));
        ini.setValue(QStringLiteral("Servidor"), carpeta);
        ini.setValue(QStringLiteral("BASE_DE_DATOS"), QStringLiteral("DBNERIN"));
        base->conexion = std::make_unique<SqliteConnection>(archivo);
        return base->conexion->open();
    }
    if (testing::PgTestDatabase::clusterConnInfo().isEmpty())
        return Status::invalid(testing::PgTestDatabase::skipReason());
    base->pg = std::make_unique<testing::PgDemoDatabase>();
    if (Status creada = base->pg->create(); !creada)
        return creada;
    if (Status escritos = base->pg->escribirAjustes(base->ajustes, carpeta + QStringLiteral("/clave"));
        !escritos)
        return escritos;
    base->conexion = std::make_unique<PostgresConnection>(base->pg->connInfo());
    return base->conexion->open();
}

// A terminal's settings: the database's, its number and the demo's card key.
Status escribirAjustes(const Base& base, const QString& archivo, int terminal) {
    if (!QFile::copy(base.ajustes, archivo))
        return Status::invalid(QStringLiteral("No se puede escribir ") + archivo);
    QSettings ini(archivo, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Configuracion"));
    ini.setValue(QStringLiteral("Terminal"), terminal);
    ini.setValue(QStringLiteral("ClaveTarjetas"), QStringLiteral("NERIN-DEMO-2026"));
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return Status::invalid(QStringLiteral("No se puede escribir ") + archivo);
    return Status::ok();
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

} // namespace

Result<Noche> correrNoche(const QString& motor, const OpcionesNoche& opciones) {
    QTemporaryDir carpeta;
    carpeta.setAutoRemove(!opciones.conservar);
    const QString raiz = carpeta.path();
    Base base;
    QList<TerminalCarga> terminales;
    Status listo = crearBase(motor, raiz, &base);
    if (listo)
        listo = prepararRestaurante(*base.conexion, opciones.terminales, &terminales);
    if (!listo)
        return listo;
    const Inicio inicio{
        primero(*base.conexion, QStringLiteral("SELECT ISNULL(MAX(ID_Comanda),0) FROM Comanda")),
        primero(*base.conexion, QStringLiteral("SELECT ISNULL(MAX(ID_Trabajo),0) FROM Cola_Trabajo"))};

    QObject dueno;
    QList<QProcess*> colas;
    for (int j = 1; j <= 2; ++j) {
        const QString estado = raiz + QStringLiteral("/cola%1").arg(j);
        QDir().mkpath(estado);
        colas << lanzar(opciones.printq, {QStringLiteral("--intervalo"), QStringLiteral("200")},
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
        Status escrito = escribirAjustes(base, suya + QStringLiteral("/nerin.ini"), terminal.numero);
        if (escrito)
            escrito =
                escribir(suya + QStringLiteral("/guion.txt"),
                         guionServicio(terminal, opciones.pausaMs, opciones.segundos).join(u'\n') + u'\n');
        if (!escrito)
            return escrito;
        procesos << lanzar(
            opciones.terminal,
            {QStringLiteral("--windowed"), QStringLiteral("--drive"), suya + QStringLiteral("/guion.txt")},
            {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
             {QStringLiteral("NERIN_CONFIG"), suya + QStringLiteral("/nerin.ini")},
             {QStringLiteral("NERIN_STATE"), suya + QStringLiteral("/estado")},
             {QStringLiteral("NERIN_TIEMPOS"), suya + QStringLiteral("/tiempos.txt")}},
            &dueno);
    }

    Noche noche;
    QStringList& faltas = noche.faltas;
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
    noche.minutos = static_cast<double>(reloj.elapsed()) / 60000.0;
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
    for (const TerminalCarga& terminal : std::as_const(terminales)) {
        juntar(raiz + QStringLiteral("/t%1/estado").arg(terminal.numero), QStringLiteral("*.log"),
               &bitacoras);
        const QString archivo = raiz + QStringLiteral("/t%1/tiempos.txt").arg(terminal.numero);
        if (!noche.tiempos.leer(archivo) || !noche.enMarcha.leer(archivo, toquesPorServicio))
            faltas << QStringLiteral("la terminal %1 no dejó sus tiempos").arg(terminal.numero);
    }
    faltas << cuadrarNoche(*base.conexion, inicio, impreso, QStringList(bitacoras.values()).join(u'\n'),
                           &noche.servicios);
    if (opciones.conservar)
        noche.carpeta = raiz;
    return noche;
}

} // namespace nerin::carga
