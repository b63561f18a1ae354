// Start-up of the terminal to its access screen, timed from the outside: nerin-terminal runs offscreen
// with a drive script that checks the access screen and ends, on the demo restaurant and on the demo
// with a year of history. Also reports the resident memory of the idle terminal.
//
//   bench_startup [RUNS]       (NERIN_BENCH_HISTORY_DAYS sets the history, default 365)
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/SqliteConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

struct Restaurant {
    QTemporaryDir dir;
    QString ini() const { return dir.path() + QStringLiteral("/nerin.ini"); }
};

bool prepare(Restaurant& r, int historyDays) {
    const QString db = r.dir.path() + QStringLiteral("/DBNERIN.db");
    if (!nerin::DatabaseBuilder::create(db, true))
        return false;
    if (historyDays > 0) {
        nerin::SqliteConnection connection(db);
        if (!connection.open() || !nerin::HistoryGenerator::generate(connection, historyDays, 11))
            return false;
    }
    QFile ini(r.ini());
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    ini.write(QStringLiteral("[Configuracion]\nMotor=sqlite\nServidor=%1\nBASE_DE_DATOS=DBNERIN\nTerminal=1\n"
                             "ClaveTarjetas=NERIN-DEMO-2026\n")
                  .arg(r.dir.path())
                  .toUtf8());
    return true;
}

QProcessEnvironment environmentFor(const Restaurant& r) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NERIN_STATE"), r.dir.path());
    env.insert(QStringLiteral("NERIN_CONFIG"), r.ini());
    return env;
}

// Seconds from starting the program until a script that only checks the access screen has finished.
double timeToAccessScreen(const Restaurant& r, const QString& script) {
    QProcess terminal;
    terminal.setProcessEnvironment(environmentFor(r));
    QElapsedTimer timer;
    timer.start();
    terminal.start(QStringLiteral(NERIN_TERMINAL_BINARY),
                   {QStringLiteral("--windowed"), QStringLiteral("--drive"), script});
    terminal.waitForFinished(60000);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (terminal.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", terminal.readAllStandardError().constData());
        std::abort();
    }
    return seconds;
}

// Resident memory, in MiB, of a terminal idling on its access screen.
double idleResidentMiB(const Restaurant& r, const QString& script) {
    QProcess terminal;
    terminal.setProcessEnvironment(environmentFor(r));
    terminal.start(QStringLiteral(NERIN_TERMINAL_BINARY),
                   {QStringLiteral("--windowed"), QStringLiteral("--drive"), script});
    terminal.waitForStarted();
    QThread::msleep(1500);
    QFile status(QStringLiteral("/proc/%1/status").arg(terminal.processId()));
    double mib = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                mib = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    terminal.waitForFinished(60000);
    return mib;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int runs =
        arguments.size() > 1 && !arguments[1].startsWith(u'-') ? std::max(1, arguments[1].toInt()) : 5;
    const int days = qEnvironmentVariableIsSet("NERIN_BENCH_HISTORY_DAYS")
                         ? qEnvironmentVariableIntValue("NERIN_BENCH_HISTORY_DAYS")
                         : 365;
    QTemporaryDir scripts;
    const QString check = scripts.path() + QStringLiteral("/acceso.txt");
    const QString idle = scripts.path() + QStringLiteral("/espera.txt");
    {
        QFile f(check);
        f.open(QIODevice::WriteOnly);
        f.write("expect lblTerminal CAJA PRINCIPAL\n");
    }
    {
        QFile f(idle);
        f.open(QIODevice::WriteOnly);
        f.write("wait 3000\n");
    }
    for (const int history : {0, days}) {
        Restaurant restaurant;
        if (!prepare(restaurant, history)) {
            std::fprintf(stderr, "bench_startup: no se pudo preparar el restaurante\n");
            return 1;
        }
        QList<double> times;
        for (int i = 0; i < runs; ++i)
            times.append(timeToAccessScreen(restaurant, check));
        std::printf(
            "bench_startup: %d days of history: start-up to the access screen %.3f s (median of %d), idle "
            "resident memory %.1f MiB\n",
            history, median(times), runs, idleResidentMiB(restaurant, idle));
    }
    return 0;
}
