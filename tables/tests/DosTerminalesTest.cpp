// Two terminal processes on one database, as in a restaurant with two machines: each test here starts
// this same test program twice as the two terminals, each with its own connection, and compares what
// each was told; on the embedded database and on a PostgreSQL server.
#include "order/AgregarProducto.h"
#include "order/ComandaActual.h"
#include "order/Despacho.h"
#include "order/GuardarProductos.h"
#include "server/PostgresConnection.h"
#include "server/postgres/testing/PgDemoDatabase.h"
#include "tables/CuentasComanda.h"
#include "tables/MesaNueva.h"
#include "tables/MesasAbiertas.h"
#include "tables/TransferirMesa.h"
#include "tables/tests/TablesFixture.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <iostream>

namespace nerin {
namespace {

using testing::Motor;
using testing::PgDemoDatabase;
using testing::PgTestDatabase;

const char* const kBase = "NERIN_MESAS_BASE"; // the database file, or the server's connection string
const char* const kMotor = "NERIN_MESAS_MOTOR";
const char* const kCarpeta = "NERIN_MESAS_CARPETA"; // where the terminals say they are ready
const char* const kEmpleado = "NERIN_MESAS_EMPLEADO";
// "ver": "Ver mesa" on table 5 (order 1); "mover N": order N to table 22; "abrir N": a new table N;
// "tiempo": releases course 2 of order 1.
const char* const kAccion = "NERIN_MESAS_ACCION";

// What one terminal was told, and when its call began and ended (milliseconds since the epoch).
struct Salida {
    qint64 inicio = 0;
    qint64 fin = 0;
    QString texto;
};

// One of the two terminals, started by the tests below with its task in the environment: it works on
// their database and needs no demo copy of its own.
class DosTerminalesProceso : public fakes::TablesFixture {
protected:
    static void SetUpTestSuite() {}
    void SetUp() override {}
};

class DosTerminalesTest : public fakes::TablesFixture, public ::testing::WithParamInterface<Motor> {
protected:
    static void TearDownTestSuite() {
        TablesFixture::TearDownTestSuite();
        PgDemoDatabase::borrarDemo();
    }
    void SetUp() override {
        TablesFixture::SetUp();
        if (GetParam() == Motor::Sqlite)
            return;
        if (PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        const Status creada = m_pg.create();
        ASSERT_TRUE(creada) << creada.message().toStdString();
        ASSERT_TRUE(m_pg.escribirAjustes(settingsFile(), m_dir.filePath(QStringLiteral("clave"))));
    }
    std::unique_ptr<Connection> conexionABase() const override {
        if (GetParam() == Motor::Sqlite)
            return TablesFixture::conexionABase();
        return std::make_unique<PostgresConnection>(m_pg.connInfo());
    }

    // Starts one terminal process for `empleado` and returns it running.
    std::unique_ptr<QProcess> terminal(qint16 empleado, const QString& accion) {
        auto proceso = std::make_unique<QProcess>();
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        const bool pg = GetParam() == Motor::Postgres;
        entorno.insert(QString::fromLatin1(kBase), pg ? m_pg.connInfo() : archivoBase());
        entorno.insert(QString::fromLatin1(kMotor), QString::fromLatin1(testing::nombreDeMotor(GetParam())));
        entorno.insert(QString::fromLatin1(kCarpeta), dbFolder());
        entorno.insert(QString::fromLatin1(kEmpleado), QString::number(empleado));
        entorno.insert(QString::fromLatin1(kAccion), accion);
        proceso->setProcessEnvironment(entorno);
        proceso->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=DosTerminalesProceso.UnaTerminal")});
        return proceso;
    }
    // What the terminal printed as its result line.
    static Salida resultado(QProcess& proceso) {
        EXPECT_TRUE(proceso.waitForFinished(60000));
        const QString salida = QString::fromUtf8(proceso.readAllStandardOutput());
        for (const QString& linea : salida.split(u'\n')) {
            if (linea.startsWith(u"RESULTADO "))
                return {linea.section(u' ', 1, 1).toLongLong(), linea.section(u' ', 2, 2).toLongLong(),
                        linea.section(u' ', 3).trimmed()};
        }
        return {0, 0, salida + QString::fromUtf8(proceso.readAllStandardError())};
    }

    // Three rounds of rosa (employee 1) and pedro (employee 4) doing `accion` at the same moment
    // ("%1" is the round), after `preparar`; `comprobar` checks each round. The two calls must have
    // overlapped in time at least once, or the test only saw one terminal after the other.
    void rondas(const QString& accionRosa, const QString& accionPedro,
                const std::function<void(int)>& preparar,
                const std::function<void(int, const Salida&, const Salida&)>& comprobar) {
        int simultaneas = 0;
        for (int ronda = 0; ronda < 3; ++ronda) {
            preparar(ronda);
            for (const QString& marca : QDir(dbFolder()).entryList({QStringLiteral("listo*")}))
                QFile::remove(dbFolder() + u'/' + marca);
            const QString numero = QString::number(ronda);
            auto rosa = terminal(1, QString(accionRosa).replace(QStringLiteral("%1"), numero));
            auto pedro = terminal(4, QString(accionPedro).replace(QStringLiteral("%1"), numero));
            const Salida r = resultado(*rosa);
            const Salida p = resultado(*pedro);
            comprobar(ronda, r, p);
            if (r.inicio < p.fin && p.inicio < r.fin)
                ++simultaneas;
        }
        EXPECT_GT(simultaneas, 0) << "the two terminals never worked at the same time";
    }

    PgDemoDatabase m_pg;
};

INSTANTIATE_TEST_SUITE_P(Motores, DosTerminalesTest, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const ::testing::TestParamInfo<Motor>& motor) {
                             return testing::nombreDeMotor(motor.param);
                         });

// One of the two terminals: once both are ready, does its task and prints what it was told.
TEST_F(DosTerminalesProceso, UnaTerminal) {
    const QString base = qEnvironmentVariable(kBase);
    if (base.isEmpty())
        GTEST_SKIP() << "runs only as a terminal started by the other tests of this suite";
    settings = std::make_unique<TerminalSettings>(settingsFile());
    const auto empleado = static_cast<qint16>(qEnvironmentVariableIntValue(kEmpleado));
    const bool pg = qEnvironmentVariable(kMotor) == QLatin1String(testing::nombreDeMotor(Motor::Postgres));
    fakes::OtraTerminal terminal(
        [base, pg]() -> std::unique_ptr<Connection> {
            if (pg)
                return std::make_unique<PostgresConnection>(base);
            return std::make_unique<SqliteConnection>(base);
        },
        m_dir.filePath(QStringLiteral("t")), *settings, platform, empleado, empleado);
    const QStringList accion = qEnvironmentVariable(kAccion).split(u' ');
    const qint32 numero = accion.value(1).toInt();
    terminal.prompts.answerNumero({false, 2, false});
    // The order screen of order 1 with its course headers, for "tiempo".
    terminal.context->setFuncion(6, true);
    ComandaActual comanda(*terminal.context);
    comanda.IDComanda = 1;
    comanda.Control = 1;
    GuardarProductos guardar(comanda);
    Despacho despacho(comanda, guardar);
    int curso = -1;
    if (accion.first() == u"tiempo") {
        ASSERT_TRUE(comanda.MostrarProductosComandaActual());
        for (int i = 0; i < comanda.cuadricula().size(); ++i)
            if (comanda.cuadricula().lineas().at(i).tipo == TipoLinea::Tiempo &&
                comanda.cuadricula().lineas().at(i).tiempo == 2)
                curso = i;
        ASSERT_GE(curso, 0);
    }

    // Both terminals press at the same moment: each says it is ready and waits for the other.
    const QString carpeta = qEnvironmentVariable(kCarpeta);
    QFile listo(carpeta + QStringLiteral("/listo") + QString::number(empleado));
    ASSERT_TRUE(listo.open(QIODevice::WriteOnly));
    listo.close();
    QElapsedTimer espera;
    espera.start();
    while (QDir(carpeta).entryList({QStringLiteral("listo*")}).size() < 2 && espera.elapsed() < 30000)
        QThread::usleep(200);
    const qint64 inicio = QDateTime::currentMSecsSinceEpoch();
    QString hecho = QStringLiteral("rechazada");
    if (accion.first() == u"mover") {
        TransferirMesa transferir(*terminal.context);
        if (transferir.mover({numero, 1, 0}, QStringLiteral("22"), TransferirMesa::Servicio::Comedor).hecho)
            hecho = QStringLiteral("movida");
    } else if (accion.first() == u"abrir") {
        MesaNueva mesa(*terminal.context);
        if (mesa.Aceptar(QString::number(numero), MesaNueva::Servicio::Comedor).abierta)
            hecho = QStringLiteral("abierta");
    } else if (accion.first() == u"tiempo") {
        if (despacho.siguienteTiempo({curso}))
            hecho = QStringLiteral("mandado");
    } else if (MesasAbiertas(*terminal.context).VerMesa({1, 1, 5}, MesasAbiertas::Accion::VerMesa)) {
        hecho = QStringLiteral("abierta");
    }
    const qint64 fin = QDateTime::currentMSecsSinceEpoch();
    QStringList visto = terminal.navegacion.rutas + terminal.prompts.mensajes();
    for (const fakes::Shown& mostrado : terminal.messageBox.shown)
        visto.append(mostrado.text);
    std::cout << "RESULTADO " << inicio << ' ' << fin << ' ' << hecho.toStdString()
              << (visto.isEmpty() ? "" : " ") << visto.join(u'|').toStdString() << std::endl;
}

TEST_P(DosTerminalesTest, TwoTerminalsPressingVerMesaOnTheSameOrderOneGetsItTheOtherIsToldWho) {
    firmar(1);
    rondas(
        QStringLiteral("ver"), QStringLiteral("ver"),
        [this](int) { exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=0")); },
        [this](int ronda, const Salida& rosa, const Salida& pedro) {
            const QStringList resultados = {rosa.texto, pedro.texto};
            const QStringList esperados[] = {
                {QStringLiteral("abierta comanda 1/1 cuenta 1 tipo -"),
                 QStringLiteral("rechazada Mesa en uso por ROSA MENDOZA RUIZ")},
                {QStringLiteral("rechazada Mesa en uso por PEDRO GARCIA NAVA"),
                 QStringLiteral("abierta comanda 1/1 cuenta 1 tipo -")},
            };
            EXPECT_TRUE(resultados == esperados[0] || resultados == esperados[1])
                << "ronda " << ronda << ": " << resultados.join(u" / ").toStdString();
            EXPECT_EQ(enUsoPor(1), resultados[0].startsWith(u"abierta") ? 1 : 4);
        });
}

TEST_P(DosTerminalesTest, TwoTerminalsMovingTwoTablesToOneFreeNumberOneMovesTheOtherIsToldWhoHasIt) {
    firmar(1);
    rondas(
        QStringLiteral("mover 1"), QStringLiteral("mover 2"),
        [this](int) {
            exec(QStringLiteral("UPDATE Comanda SET Num_Mesa=ID_Comanda*10 WHERE ID_Comanda IN (1,2)"));
        },
        [this](int ronda, const Salida& una, const Salida& otra) {
            QStringList resultados = {una.texto, otra.texto};
            resultados.sort();
            EXPECT_EQ(
                resultados,
                (QStringList{QStringLiteral("movida"),
                             QStringLiteral("rechazada La mesa 22 está abierta por ROSA MENDOZA RUIZ")}))
                << "ronda " << ronda;
            EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Num_Mesa=22")), 1);
        });
}

TEST_P(DosTerminalesTest, TwoTerminalsOpeningTheSameNewTableOneOpensItTheOtherIsToldItIsOpen) {
    firmar(1);
    rondas(
        QStringLiteral("abrir 4%1"), QStringLiteral("abrir 4%1"), [](int) {},
        [this](int ronda, const Salida& rosa, const Salida& pedro) {
            const QString mesa = QStringLiteral("4%1").arg(ronda);
            const bool ganaRosa = rosa.texto.startsWith(u"abierta ");
            const QString perdedora = (ganaRosa ? pedro : rosa).texto;
            EXPECT_TRUE((ganaRosa ? rosa : pedro).texto.startsWith(u"abierta comanda"))
                << "ronda " << ronda << ": " << rosa.texto.toStdString() << " / "
                << pedro.texto.toStdString();
            EXPECT_EQ(perdedora, QStringLiteral("rechazada La mesa %1 está abierta por %2")
                                     .arg(mesa, ganaRosa ? QStringLiteral("ROSA MENDOZA RUIZ")
                                                         : QStringLiteral("PEDRO GARCIA NAVA")))
                << "ronda " << ronda;
            EXPECT_EQ(
                contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Abierta=1 AND Num_Mesa=") + mesa),
                1);
        });
}

TEST_P(DosTerminalesTest, TwoTerminalsReleasingTheSameCourseSendEachDishToTheKitchenOnce) {
    firmar(1);
    // Order 1 holds the steak (item 2) for course 2.
    qint64 ultimoTrabajo = 0;
    rondas(
        QStringLiteral("tiempo"), QStringLiteral("tiempo"),
        [&](int) {
            exec(QStringLiteral("UPDATE ProductosXCuenta SET Preparado=0, Hora_Preparacion=NULL "
                                "WHERE ID_ProductosXCuenta=2"));
            ultimoTrabajo = contar(QStringLiteral("SELECT isnull(max(ID_Trabajo),0) FROM Cola_Trabajo"));
        },
        [&](int ronda, const Salida& rosa, const Salida& pedro) {
            EXPECT_EQ(rosa.texto, QStringLiteral("mandado")) << "ronda " << ronda;
            EXPECT_EQ(pedro.texto, QStringLiteral("mandado")) << "ronda " << ronda;
            EXPECT_EQ(contar(QStringLiteral("SELECT count(*) FROM Cola_Trabajo t, Cola_Linea l WHERE "
                                            "l.ID_Trabajo=t.ID_Trabajo AND t.ID_Trabajo>%1 AND "
                                            "l.Texto='<H><B>FILETE MIGNON</B></H>'")
                                 .arg(ultimoTrabajo)),
                      1)
                << "ronda " << ronda;
            EXPECT_EQ(
                contar(QStringLiteral("SELECT Preparado FROM ProductosXCuenta WHERE ID_ProductosXCuenta=2")),
                1);
        });
}

// Work of one terminal that another terminal's commit overtook. A server that runs each terminal's work
// as if alone undoes it; the terminal runs it again and it counts once. Only such a server has the
// conflict: the embedded database makes the other terminal wait for the work instead.
class TrabajoRepetidoTest : public DosTerminalesTest {};

TEST_P(TrabajoRepetidoTest, WorkOvertakenByAnotherTerminalsCommitRunsAgainAndCountsOnce) {
    struct Caso {
        const char* nombre;
        const char* antesDe; // our statement that the other terminal's commit goes just before
        const char* otra;    // what the other terminal commits, touching a row the work writes
        std::function<bool(TerminalContext&)> trabajo;
        QList<std::pair<const char*, qint64>> despues; // queries and their values after the work
    };
    // Demo order 2 (table 15) holds items 6 to 9 on account 1.
    const Caso casos[] = {
        {"two soups stored",
         "Totalizar_Cuenta",
         "UPDATE Cuenta SET Num_Impresiones=Num_Impresiones WHERE ID_Comanda=2",
         [](TerminalContext& terminal) {
             ComandaActual comanda(terminal);
             comanda.IDComanda = 2;
             comanda.Control = 1;
             EXPECT_TRUE(comanda.MostrarProductosComandaActual());
             AgregarProducto agregar(comanda);
             QList<int> filas;
             for (int sopa = 0; sopa < 2; ++sopa)
                 if (const auto agregada = agregar.AñadirProductoAComanda(101, TipoLinea::Producto, 0))
                     filas.append(agregada->fila);
             if (filas.size() != 2 || !GuardarProductos(comanda).GuardarYPrepararNuevos())
                 return false;
             // The grid holds the folios of the run that was committed, not of the one undone.
             QStringList folios;
             for (int fila : filas)
                 folios.append(QString::number(comanda.cuadricula().lineas().at(fila).folio));
             const std::optional<RecordSet> guardados = terminal.baseDatos().AbrirRecordset(
                 QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Producto=101 AND "
                                "ID_ProductosXCuenta IN (") +
                 folios.join(u',') + u')');
             return guardados && guardados->value(0).toInt() == 2;
         },
         {{"SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda=2", 6},
          {"SELECT COUNT(*) FROM Bitacora WHERE Texto LIKE 'Producto ingresado SOPA DE TORTILLA%'", 2},
          {"SELECT Total FROM Cuenta WHERE ID_Comanda=2", 420 + 2 * 85}}},
        {"account split",
         "UPDATE ProductosXCuenta SET Num_Cuenta",
         "UPDATE ProductosXCuenta SET Preparado=Preparado WHERE ID_ProductosXCuenta=9",
         [](TerminalContext& terminal) {
             CuentasComanda cuentas(terminal, 2, 1);
             QList<CuentasComanda::Articulo> queso;
             for (const CuentasComanda::Articulo& articulo :
                  cuentas.articulos(1).value_or(QList<CuentasComanda::Articulo>()))
                 if (articulo.id == 9)
                     queso.append(articulo);
             return cuentas.dividir(1, QStringLiteral("15"), queso) == std::optional<qint16>(2);
         },
         {{"SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda=2", 2},
          {"SELECT Num_Cuenta FROM ProductosXCuenta WHERE ID_ProductosXCuenta=9", 2},
          {"SELECT COUNT(*) FROM Bitacora WHERE Texto LIKE 'Dividir mesa 15 nueva cuenta 2'", 1}}},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1, true);
        int repetidas = 0;
        const auto llega = [&caso](const QString& texto) {
            return texto.startsWith(QLatin1String(caso.antesDe));
        };
        intercalador->antesDe(llega, [&] {
            exec(QString::fromLatin1(caso.otra));
            intercalador->antesDe(llega, [&] { ++repetidas; });
        });
        EXPECT_TRUE(caso.trabajo(*context)) << caso.nombre;
        EXPECT_EQ(repetidas, 1) << caso.nombre << ": the work ran again once";
        for (const auto& [consulta, valor] : caso.despues)
            EXPECT_EQ(contar(QString::fromLatin1(consulta)), valor) << caso.nombre << ": " << consulta;
        EXPECT_TRUE(messageBox.shown.isEmpty()) << caso.nombre;
    }
}

INSTANTIATE_TEST_SUITE_P(Servidor, TrabajoRepetidoTest, ::testing::Values(Motor::Postgres),
                         [](const ::testing::TestParamInfo<Motor>& motor) {
                             return testing::nombreDeMotor(motor.param);
                         });

} // namespace
} // namespace nerin
