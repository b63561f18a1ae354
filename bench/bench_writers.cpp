// Four terminal processes writing to one embedded database at once: each inserts 2,000 rows, one
// statement at a time, as terminals do. Prints the total throughput and how many statements failed
// (there must be none: a busy database is waited for, not reported).
//
//   bench_writers [PROCESSES] [ROWS]
#include "server/SqliteConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

int writer(const QString& path, int id, int rows) {
    nerin::SqliteConnection db(path);
    if (!db.open())
        return 100;
    int failures = 0;
    for (int n = 0; n < rows; ++n) {
        const auto done =
            db.execute(QStringLiteral("INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES "
                                      "(GETDATE(),%1,'Ver mesa %2 cuenta 1')")
                           .arg(id)
                           .arg(n));
        if (!done) {
            ++failures;
            std::fprintf(stderr, "%s\n", qUtf8Printable(done.status().message()));
        }
    }
    return failures > 99 ? 99 : failures;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 5 && arguments[1] == QStringLiteral("--writer"))
        return writer(arguments[2], arguments[3].toInt(), arguments[4].toInt());

    // Extra arguments given to every benchmark (such as --benchmark_min_time) are not for this one.
    const int processes = arguments.size() > 1 && !arguments[1].startsWith(u'-') ? arguments[1].toInt() : 4;
    const int rows = arguments.size() > 2 && !arguments[2].startsWith(u'-') ? arguments[2].toInt() : 2000;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/writers.db");
    {
        nerin::SqliteConnection db(path, nerin::SqliteConnection::OpenMode::CreateIfMissing);
        if (!db.open() ||
            !db.execute(QStringLiteral(
                "CREATE TABLE Bitacora (FechaHora datetime, Id_Empleado int, Texto varchar(255))")))
            return 1;
    }
    QElapsedTimer timer;
    timer.start();
    QList<QProcess*> children;
    for (int p = 0; p < processes; ++p) {
        auto* child = new QProcess;
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(application.applicationFilePath(),
                     {QStringLiteral("--writer"), path, QString::number(p), QString::number(rows)});
        children.append(child);
    }
    int failed = 0;
    for (QProcess* child : children) {
        child->waitForFinished(-1);
        failed += child->exitCode();
        delete child;
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    nerin::SqliteConnection db(path);
    if (!db.open().isOk())
        std::abort();
    const qint64 stored = db.query(QStringLiteral("SELECT COUNT(*) FROM Bitacora"))->value(0).toInt();
    std::printf(
        "bench_writers: %d processes x %d inserts: %.2f s, %.0f inserts/s, %lld rows stored, %d failed\n",
        processes, rows, seconds, processes * rows / seconds, static_cast<long long>(stored), failed);
    return failed == 0 && stored == qint64{processes} * rows ? 0 : 1;
}
