// Two terminal processes on one database, as in a restaurant: each test here starts this same test
// program twice as the two terminals and compares what each was told.
#include "tables/MesasAbiertas.h"
#include "tables/TransferirMesa.h"
#include "tables/tests/TablesFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <iostream>

namespace nerin {
namespace {

const char* const kBase = "NERIN_MESAS_BASE";
const char* const kEmpleado = "NERIN_MESAS_EMPLEADO";
const char* const kMover = "NERIN_MESAS_MOVER"; // the order the terminal moves to table 22

class DosTerminalesTest : public fakes::TablesFixture {
protected:
    // Starts one terminal process for `empleado` and returns it running.
    std::unique_ptr<QProcess> terminal(qint16 empleado, qint32 mover = 0) {
        auto proceso = std::make_unique<QProcess>();
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QString::fromLatin1(kBase), archivoBase());
        entorno.insert(QString::fromLatin1(kEmpleado), QString::number(empleado));
        entorno.insert(QString::fromLatin1(kMover), QString::number(mover));
        proceso->setProcessEnvironment(entorno);
        proceso->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=DosTerminalesTest.UnaTerminal")});
        return proceso;
    }
    // What the terminal printed as its result line.
    static QString resultado(QProcess& proceso) {
        EXPECT_TRUE(proceso.waitForFinished(60000));
        const QString salida = QString::fromUtf8(proceso.readAllStandardOutput());
        for (const QString& linea : salida.split(u'\n')) {
            if (linea.startsWith(u"RESULTADO "))
                return linea.mid(10).trimmed();
        }
        return salida + QString::fromUtf8(proceso.readAllStandardError());
    }
};

// One of the two terminals: once both are ready, presses "Ver mesa" on table 5 (order 1), or moves its
// order to table 22.
TEST_F(DosTerminalesTest, UnaTerminal) {
    const QString base = qEnvironmentVariable(kBase);
    if (base.isEmpty())
        GTEST_SKIP() << "runs only as a terminal started by the other tests of this suite";
    firmar(1);
    const auto empleado = static_cast<qint16>(qEnvironmentVariableIntValue(kEmpleado));
    fakes::OtraTerminal terminal(base, m_dir.filePath(QStringLiteral("t")), *settings, platform, empleado,
                                 empleado);
    MesasAbiertas mesas(*terminal.context);
    // Both terminals press at the same moment: each says it is ready and waits for the other.
    QFile listo(base + QStringLiteral(".listo") + QString::number(empleado));
    ASSERT_TRUE(listo.open(QIODevice::WriteOnly));
    listo.close();
    QElapsedTimer espera;
    espera.start();
    while (QDir(QFileInfo(base).path()).entryList({QStringLiteral("*.listo*")}).size() < 2 &&
           espera.elapsed() < 30000)
        QThread::usleep(200);
    const qint32 mover = qEnvironmentVariableIntValue(kMover);
    bool hecho = false;
    if (mover > 0) {
        TransferirMesa transferir(*terminal.context);
        hecho =
            transferir.mover({mover, 1, 0}, QStringLiteral("22"), TransferirMesa::Servicio::Comedor).hecho;
    } else {
        hecho = mesas.VerMesa({1, 1, 5}, MesasAbiertas::Accion::VerMesa);
    }
    const QStringList visto = terminal.navegacion.rutas + terminal.prompts.mensajes();
    std::cout << "RESULTADO " << (hecho ? (mover > 0 ? "movida " : "abierta ") : "rechazada ")
              << visto.join(u'|').toStdString() << std::endl;
}

TEST_F(DosTerminalesTest, TwoTerminalsPressingVerMesaOnTheSameOrderOneGetsItTheOtherIsToldWho) {
    firmar(1);
    for (int ronda = 0; ronda < 3; ++ronda) {
        exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=0"));
        for (const QString& marca : QDir(dbFolder()).entryList({QStringLiteral("*.listo*")}))
            QFile::remove(dbFolder() + u'/' + marca);
        auto rosa = terminal(1);
        auto pedro = terminal(4);
        const QStringList resultados = {resultado(*rosa), resultado(*pedro)};
        const QStringList esperados[] = {
            {QStringLiteral("abierta comanda 1/1 cuenta 1 tipo -"),
             QStringLiteral("rechazada Mesa en uso por ROSA MENDOZA RUIZ")},
            {QStringLiteral("rechazada Mesa en uso por PEDRO GARCIA NAVA"),
             QStringLiteral("abierta comanda 1/1 cuenta 1 tipo -")},
        };
        EXPECT_TRUE(resultados == esperados[0] || resultados == esperados[1])
            << "ronda " << ronda << ": " << resultados.join(u" / ").toStdString();
        const qint64 duenio = enUsoPor(1);
        EXPECT_EQ(duenio, resultados[0].startsWith(u"abierta") ? 1 : 4);
    }
}

TEST_F(DosTerminalesTest, TwoTerminalsMovingTwoTablesToOneFreeNumberOneMovesTheOtherIsToldWhoHasIt) {
    firmar(1);
    for (int ronda = 0; ronda < 3; ++ronda) {
        exec(QStringLiteral("UPDATE Comanda SET Num_Mesa=ID_Comanda*10 WHERE ID_Comanda IN (1,2)"));
        for (const QString& marca : QDir(dbFolder()).entryList({QStringLiteral("*.listo*")}))
            QFile::remove(dbFolder() + u'/' + marca);
        auto una = terminal(1, 1);
        auto otra = terminal(4, 2);
        QStringList resultados = {resultado(*una), resultado(*otra)};
        resultados.sort();
        EXPECT_EQ(resultados,
                  (QStringList{QStringLiteral("movida"),
                               QStringLiteral("rechazada La mesa 22 está abierta por ROSA MENDOZA RUIZ")}))
            << "ronda " << ronda;
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Num_Mesa=22")), 1);
    }
}

} // namespace
} // namespace nerin
