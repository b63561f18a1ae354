#include "tools/nerin-printq/PrintQueueService.h"

#include "base/tests/QtPrinters.h"
#include "printing/EscPosRenderer.h"
#include "printing/PlainTextRenderer.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "server/tests/DemoDatabaseTest.h"
#include "tools/nerin-printq/tests/FakeRawPrinter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

namespace nerin::fakes {

namespace {

// Log lines, readable while the service writes them from another thread.
class LogLines {
public:
    void add(const QString& line) {
        const std::lock_guard lock(m_mutex);
        m_lines.append(line);
    }
    QString all() const {
        const std::lock_guard lock(m_mutex);
        return m_lines.join(u'\n');
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_lines;
};

QByteArray escpos(const QStringList& lines) {
    return EscPosRenderer().render(lines);
}

} // namespace

// The demo restaurant's queue with its printers writing under a temporary state folder.
class PrintQueueServiceTest : public DemoDatabaseTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        copyDemoTo(dbFile());
        db = std::make_unique<SqliteConnection>(dbFile());
        ASSERT_TRUE(db->open().isOk());
        options.baseFolder = m_dir.path();
        options.pollMs = 20;
        options.firstPauseMs = 40;
        options.maxPauseMs = 160;
        options.sendTimeoutMs = 3000;
    }

    QString dbFile() const { return m_dir.filePath(QStringLiteral("DBNERIN.db")); }
    QString file(const QString& name) const {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QByteArray bytes(const QString& name) const {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void exec(const QString& sql) {
        const auto done = db->execute(sql);
        ASSERT_TRUE(done.isOk()) << done.status().message().toStdString();
    }
    QString field(const QString& sql) {
        const auto rs = db->query(sql);
        return rs.isOk() && !rs->eof() ? rs->value(0).toString() : QStringLiteral("(none)");
    }
    void setPort(qint32 printer, const QString& port) {
        exec(QStringLiteral("UPDATE Impresora SET Puerto = '%1' WHERE ID_Impresora = %2")
                 .arg(port)
                 .arg(printer));
    }
    // A job written straight into the queue as the terminal writes one: opened, its lines, and closed
    // unless `closed` is false.
    qint32 queue(qint32 printer, const QStringList& lines, bool closed = true) {
        const auto rs =
            db->query(QStringLiteral("INSERT INTO Cola_Trabajo (Tipo, ID_Impresora, Usuario, Estado) "
                                     "VALUES ('P', %1, 'prueba', 'A') SELECT SCOPE_IDENTITY()")
                          .arg(printer));
        EXPECT_TRUE(rs.isOk()) << rs.status().message().toStdString();
        const auto job = static_cast<qint32>(rs->value(0).toInt());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            exec(QStringLiteral("INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto) VALUES (%1, %2, '%3')")
                     .arg(job)
                     .arg(i + 1)
                     .arg(QString(lines[i]).replace(u'\'', QStringLiteral("''"))));
        }
        if (closed)
            exec(QStringLiteral("UPDATE Cola_Trabajo SET Estado = 'P' WHERE ID_Trabajo = %1").arg(job));
        return job;
    }
    QString state(qint32 job) {
        return field(QStringLiteral("SELECT Estado + '|' + CAST(Intentos AS varchar(10)) + '|' + "
                                    "ISNULL(Ultimo_Error, '') FROM Cola_Trabajo WHERE ID_Trabajo = %1")
                         .arg(job));
    }
    int runOnce() {
        options.once = true;
        PrintQueueService service(*db, options, [this](const QString& line) { log.add(line); });
        std::atomic<bool> stop{false};
        return service.run(stop);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SqliteConnection> db;
    PrintQueueService::Options options;
    LogLines log;
};

// An open job is never printed; one left open past the grace period (its terminal stopped while
// writing it) is marked failed with the reason and logged.
TEST_F(PrintQueueServiceTest, OncePrintsTheClosedJobsOldestFirstAndNeverAnOpenOne) {
    setPort(2, QStringLiteral("file:cocina.txt?texto"));
    const qint32 abandonado = queue(2, {QStringLiteral("sin terminar")}, false);
    exec(QStringLiteral("UPDATE Cola_Trabajo SET Fecha_Alta = '05/12/2026 21:30:00' WHERE ID_Trabajo = %1")
             .arg(abandonado));
    const qint32 primero = queue(2, {QStringLiteral("uno")});
    const qint32 abierto = queue(2, {QStringLiteral("a medias")}, false);
    const qint32 segundo = queue(2, {QStringLiteral("<B>dos</B>"), QStringLiteral("<N>")});
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(file(QStringLiteral("cocina.txt")), QStringLiteral("uno\ndos\n\n"));
    EXPECT_EQ(state(primero), QStringLiteral("I|1|"));
    EXPECT_EQ(state(segundo), QStringLiteral("I|1|"));
    EXPECT_EQ(state(abierto), QStringLiteral("A|0|"));
    const QString razon =
        QStringLiteral("La terminal no cerró el trabajo, abierto el 05/12/2026 21:30:00: no se imprime");
    EXPECT_EQ(state(abandonado), QStringLiteral("F|0|") + razon);
    EXPECT_TRUE(log.all().contains(
        QStringLiteral("Trabajo %1 de prueba marcado como fallido: %2").arg(abandonado).arg(razon)))
        << log.all().toStdString();
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(file(QStringLiteral("cocina.txt")), QStringLiteral("uno\ndos\n\n")) << "printed twice";
}

// Another program's claim holds a job, and the jobs queued after it for the same printer, until the
// claim runs out; a claim that ran out (its program died while sending) is taken over.
TEST_F(PrintQueueServiceTest, AJobClaimedByAnotherProgramWaitsUntilTheClaimRunsOut) {
    setPort(2, QStringLiteral("file:cocina.txt?texto"));
    setPort(3, QStringLiteral("file:barra.txt?texto"));
    const qint32 vencido = queue(2, {QStringLiteral("SOPA")});
    const qint32 tomado = queue(3, {QStringLiteral("LIMONADA")});
    const qint32 detras = queue(3, {QStringLiteral("MARGARITA")});
    const auto reclamar = [this](qint32 job, int minutes) {
        exec(QStringLiteral("UPDATE Cola_Trabajo SET Reclamado_Por = 'otra 1/1', "
                            "Reclamado_Hasta = DATEADD(minute, %1, GETDATE()) WHERE ID_Trabajo = %2")
                 .arg(minutes)
                 .arg(job));
    };
    reclamar(vencido, -1);
    reclamar(tomado, 5);
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(file(QStringLiteral("cocina.txt")), QStringLiteral("SOPA\n"));
    EXPECT_EQ(state(vencido), QStringLiteral("I|1|"));
    EXPECT_EQ(file(QStringLiteral("barra.txt")), QString());
    EXPECT_EQ(state(tomado), QStringLiteral("P|0|"));
    EXPECT_EQ(state(detras), QStringLiteral("P|0|"));
}

// Two programs on one database, each job sent while the other polls: every job prints once, in order.
TEST_F(PrintQueueServiceTest, TwoProgramsOnOneDatabasePrintEachJobOnce) {
    FakeRawPrinter cocina;
    ASSERT_TRUE(cocina.accept(40));
    setPort(2, cocina.url());
    QList<qint32> jobs;
    QList<QByteArray> expected;
    for (int i = 1; i <= 5; ++i) {
        jobs.append(queue(2, {QStringLiteral("PLATO %1").arg(i)}));
        expected.append(escpos({QStringLiteral("PLATO %1").arg(i)}));
    }
    std::atomic<bool> stop{false};
    std::vector<std::thread> programs;
    for (int p = 0; p < 2; ++p) {
        programs.emplace_back([this, &stop] {
            SqliteConnection own(dbFile());
            ASSERT_TRUE(own.open().isOk());
            PrintQueueService service(own, options, [this](const QString& line) { log.add(line); });
            service.run(stop);
        });
    }
    SqliteConnection watcher(dbFile());
    ASSERT_TRUE(watcher.open().isOk());
    const auto printed = [&] {
        const auto rs = watcher.query(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Estado = 'I'"));
        return rs.isOk() && !rs->eof() && rs->value(0).toInt() == jobs.size();
    };
    for (int i = 0; i < 500 && !printed(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // a second sending would arrive by now
    stop = true;
    for (std::thread& program : programs)
        program.join();
    EXPECT_EQ(cocina.jobs(), expected);
}

TEST_F(PrintQueueServiceTest, KitchenJobsQueuedByTheServerPrintAsESCPOS) {
    exec(QStringLiteral(
        "CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,"
        "Tipo Char(1), Tiempo Int)"));
    exec(QStringLiteral("INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES "
                        "('PIÑA COLADA</B></H>', 3, 'P', 1), ('<N><H><B>SIN HIELO</B></H>', 3, 'M', 1)"));
    exec(QStringLiteral("Mandar_Impresion 12, 'mesero1', '345', 4"));
    exec(QStringLiteral("DROP TABLE #Tmp_Imprimir"));
    setPort(3, QStringLiteral("dir:barra"));
    EXPECT_EQ(runOnce(), 0);
    const qint32 job = field(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).toInt();
    const QByteArray printed = bytes(QStringLiteral("barra/trabajo-%1.prn").arg(job));
    EXPECT_TRUE(printed.startsWith(QByteArray("\x1B@\x1Bt\x02\x1B"
                                              "E\x01\x1D!\x01"
                                              "COMANDA\n")));
    EXPECT_TRUE(printed.contains(QByteArray("\x1B"
                                            "E\x01\x1D!\x01PI\xA5"
                                            "A COLADA\n\n")));
    EXPECT_TRUE(printed.endsWith(QByteArray("SIN HIELO\n\x1B"
                                            "E") +
                                 '\0' + QByteArray("\x1D!") + '\0' +
                                 QByteArray("\x1B"
                                            "d\x04\x1DV\x01")));
    EXPECT_EQ(state(job), QStringLiteral("I|1|"));
}

TEST_F(PrintQueueServiceTest, JobsFollowRedirectionChains) {
    setPort(4, QStringLiteral("file:meseros.txt?texto"));
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 3 WHERE ID_Impresora = 2"));
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 4 WHERE ID_Impresora = 3"));
    queue(2, {QStringLiteral("de cocina")});
    queue(3, {QStringLiteral("de barra")});
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(file(QStringLiteral("meseros.txt")), QStringLiteral("de cocina\nde barra\n"));
}

TEST_F(PrintQueueServiceTest, ARedirectionLoopIsReportedAndHoldsUpNoOtherPrinter) {
    setPort(1, QStringLiteral("file:caja.txt?texto"));
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 3 WHERE ID_Impresora = 2"));
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 2 WHERE ID_Impresora = 3"));
    const qint32 enCiclo = queue(2, {QStringLiteral("perdido?")});
    const qint32 caja = queue(1, {QStringLiteral("cuenta")});
    EXPECT_EQ(runOnce(), 1);
    EXPECT_EQ(state(enCiclo), QStringLiteral("E|1|Redirección en ciclo: 2 → 3 → 2"));
    EXPECT_TRUE(log.all().contains(QStringLiteral("Redirección en ciclo: 2 → 3 → 2")));
    EXPECT_EQ(state(caja), QStringLiteral("I|1|"));

    // Once the manager breaks the loop the job prints.
    setPort(3, QStringLiteral("file:barra.txt?texto"));
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 3 WHERE ID_Impresora = 3"));
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(file(QStringLiteral("barra.txt")), QStringLiteral("perdido?\n"));
    EXPECT_EQ(state(enCiclo), QStringLiteral("I|2|Redirección en ciclo: 2 → 3 → 2"));
}

TEST_F(PrintQueueServiceTest, UnusablePortsAndMissingPrintersFailTheJobWithTheReason) {
    setPort(2, QStringLiteral("LPT1"));
    setPort(3, m_dir.filePath(QStringLiteral("no-hay-dispositivo")));
    const qint32 lpt = queue(2, {QStringLiteral("a")});
    const qint32 apagada = queue(3, {QStringLiteral("b")});
    const qint32 fantasma = queue(42, {QStringLiteral("c")});
    EXPECT_EQ(runOnce(), 1);
    EXPECT_EQ(state(lpt), QStringLiteral("E|1|Puerto no reconocido: LPT1"));
    EXPECT_TRUE(state(apagada).startsWith(QStringLiteral("E|1|No se pudo abrir ")))
        << state(apagada).toStdString();
    EXPECT_EQ(state(fantasma), QStringLiteral("E|1|La impresora 42 no existe"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("no-hay-dispositivo"))))
        << "a device is never created";
}

TEST_F(PrintQueueServiceTest, ADeviceThatExistsReceivesTheJob) {
    const QString device = m_dir.filePath(QStringLiteral("lp0"));
    QFile(device).open(QIODevice::WriteOnly);
    setPort(2, device);
    const qint32 job = queue(2, {QStringLiteral("hola")});
    EXPECT_EQ(runOnce(), 0);
    EXPECT_EQ(bytes(QStringLiteral("lp0")), escpos({QStringLiteral("hola")}));
    EXPECT_EQ(state(job), QStringLiteral("I|1|"));
}

// A network printer that refuses connections, then takes them: its job is retried with growing
// pauses, reported, and arrives whole and once; meanwhile the other printer prints its jobs.
TEST_F(PrintQueueServiceTest, ARefusingPrinterIsRetriedWhileTheOthersGoOn) {
    FakeRawPrinter cocina;
    setPort(2, cocina.url());
    setPort(3, QStringLiteral("file:barra.txt?texto"));
    const QStringList comanda = {QStringLiteral("<H>COMANDA</H>"), QStringLiteral("SOPA DE TORTILLA")};
    const qint32 job = queue(2, comanda);

    std::atomic<bool> stop{false};
    SqliteConnection serviceDb(dbFile());
    ASSERT_TRUE(serviceDb.open().isOk());
    PrintQueueService service(serviceDb, options, [this](const QString& line) { log.add(line); });
    std::thread running([&] { service.run(stop); });

    auto waitUntil = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return done();
    };
    SqliteConnection watcher(dbFile());
    ASSERT_TRUE(watcher.open().isOk());
    auto stateOf = [&watcher](qint32 id) {
        const auto rs = watcher.query(
            QStringLiteral("SELECT Estado, Intentos FROM Cola_Trabajo WHERE ID_Trabajo = %1").arg(id));
        return rs.isOk() && !rs->eof() ? rs->value(0).toString() + rs->value(1).toString() : QString();
    };
    EXPECT_TRUE(waitUntil([&] { return stateOf(job) == u"E3"; })) << stateOf(job).toStdString();
    // The bar's jobs, queued after the kitchen's, are not held up.
    const qint32 barra1 = queue(3, {QStringLiteral("LIMONADA")});
    const qint32 barra2 = queue(3, {QStringLiteral("MARGARITA")});
    EXPECT_TRUE(waitUntil([&] { return stateOf(barra2) == u"I1"; }));
    EXPECT_EQ(stateOf(barra1), QStringLiteral("I1"));
    EXPECT_TRUE(stateOf(job).startsWith(u'E'));
    EXPECT_EQ(cocina.connections(), 0);

    ASSERT_TRUE(cocina.accept());
    EXPECT_TRUE(waitUntil([&] { return stateOf(job).startsWith(u'I'); })) << stateOf(job).toStdString();
    stop = true;
    running.join();

    EXPECT_EQ(cocina.jobs(), QList<QByteArray>({escpos(comanda)}));
    EXPECT_EQ(file(QStringLiteral("barra.txt")), QStringLiteral("LIMONADA\nMARGARITA\n"));
    const QString logged = log.all();
    EXPECT_TRUE(logged.contains(
        QStringLiteral("Trabajo %1 no se imprimió en COCINA (2): No se pudo conectar").arg(job)))
        << logged.toStdString();
    EXPECT_TRUE(logged.contains(QStringLiteral("Nuevo intento en 0.08 s"))) << "the pause grows";
    EXPECT_TRUE(logged.contains(QStringLiteral("Trabajo %1 impreso en COCINA (2)").arg(job)));
    EXPECT_TRUE(field(QStringLiteral("SELECT Ultimo_Error FROM Cola_Trabajo WHERE ID_Trabajo = %1").arg(job))
                    .startsWith(QStringLiteral("No se pudo conectar con 127.0.0.1")));
}

// Stopping while a job is on its way lets it finish and records it; the jobs not yet sent stay
// queued and print on the next run, each exactly once.
TEST_F(PrintQueueServiceTest, StoppingLosesNoJobAndPrintsNoneTwice) {
    FakeRawPrinter cocina;
    ASSERT_TRUE(cocina.accept(300));
    setPort(2, cocina.url());
    QList<qint32> jobs;
    for (int i = 1; i <= 3; ++i)
        jobs.append(queue(2, {QStringLiteral("PLATO %1").arg(i)}));

    std::atomic<bool> stop{false};
    PrintQueueService service(*db, options, [this](const QString& line) { log.add(line); });
    std::thread stopper([&] {
        while (cocina.connections() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stop = true;
    });
    service.run(stop);
    stopper.join();
    EXPECT_EQ(state(jobs[0]), QStringLiteral("I|1|"));
    EXPECT_EQ(state(jobs[1]), QStringLiteral("P|0|"));
    EXPECT_EQ(state(jobs[2]), QStringLiteral("P|0|"));

    EXPECT_EQ(runOnce(), 0);
    QList<QByteArray> expected;
    for (int i = 1; i <= 3; ++i)
        expected.append(escpos({QStringLiteral("PLATO %1").arg(i)}));
    EXPECT_EQ(cocina.jobs(), expected);
}

// The program itself, on the database the terminal's settings name.
TEST_F(PrintQueueServiceTest, TheProgramPrintsThroughTheTerminalsSettingsAndShowsPreviews) {
    setPort(2, QStringLiteral("file:cocina.txt?texto"));
    const qint32 job = queue(2, {QStringLiteral("<XH>MESA 5</XH>"), QStringLiteral("CAFÉ")});
    db->close();
    const QString ini = m_dir.filePath(QStringLiteral("nerin.ini"));
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Configuracion/Servidor"), m_dir.path());
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NERIN_CONFIG"), ini);
    environment.insert(QStringLiteral("NERIN_STATE"), m_dir.path());
    program.setProcessEnvironment(environment);

    program.start(QStringLiteral(NERIN_PRINTQ_BINARY), {QStringLiteral("--ver"), QString::number(job)});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput()), QStringLiteral("MESA 5\nCAFÉ\n"));

    program.start(QStringLiteral(NERIN_PRINTQ_BINARY), {QStringLiteral("--once")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(file(QStringLiteral("cocina.txt")), QStringLiteral("MESA 5\nCAFÉ\n"));
    EXPECT_TRUE(
        QDir(m_dir.filePath(QStringLiteral("morvo"))).entryList({QStringLiteral("NerinCola*.log")}).size() ==
        1);

    // Refused before anything is read or printed: an option is never another option's value, and an
    // unknown back-end is not taken for the embedded one.
    const QStringList refused[] = {{QStringLiteral("--sin-sentido")},
                                   {QStringLiteral("--db"), QStringLiteral("--once")},
                                   {QStringLiteral("--once"), QStringLiteral("sobra")},
                                   {QStringLiteral("--once"), QStringLiteral("--once")}};
    for (const QStringList& arguments : refused) {
        program.start(QStringLiteral(NERIN_PRINTQ_BINARY), arguments);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 2) << arguments.join(u' ').toStdString();
    }
    QSettings(ini, QSettings::IniFormat)
        .setValue(QStringLiteral("Configuracion/Motor"), QStringLiteral("mysql"));
    program.start(QStringLiteral(NERIN_PRINTQ_BINARY), {QStringLiteral("--once")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(
        program.readAllStandardError().contains("los valores aceptados son: sqlite, odbc, postgres."));
}

} // namespace nerin::fakes
