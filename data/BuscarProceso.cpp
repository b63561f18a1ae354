#include "data/BuscarProceso.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace nerin {

namespace {

// The executable name of a process: the file name of its first argument, or the kernel's short name
// (at most 15 characters) for processes without a command line, such as kernel threads.
QString nombreEjecutable(const QString& carpetaProceso) {
    QFile lineaComandos(carpetaProceso + QStringLiteral("/cmdline"));
    if (lineaComandos.open(QIODevice::ReadOnly)) {
        const QByteArray contenido = lineaComandos.read(4096);
        const QByteArray primero = contenido.left(contenido.indexOf('\0'));
        if (!primero.isEmpty())
            return QFileInfo(QString::fromLocal8Bit(primero)).fileName();
    }
    QFile nombreCorto(carpetaProceso + QStringLiteral("/comm"));
    if (nombreCorto.open(QIODevice::ReadOnly))
        return QString::fromLocal8Bit(nombreCorto.readAll()).trimmed();
    return {};
}

} // namespace

qint64 BuscarProceso(const QString& nombre, const QString& procRoot) {
    QStringList ids = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QList<qint64> pids;
    for (const QString& id : ids) {
        bool esNumero = false;
        const qint64 pid = id.toLongLong(&esNumero);
        if (esNumero && pid > 0)
            pids.append(pid);
    }
    // Lowest id first, so the oldest matching process is the one found.
    std::sort(pids.begin(), pids.end());
    for (const qint64 pid : pids) {
        const QString ejecutable = nombreEjecutable(procRoot + u'/' + QString::number(pid)).toUpper();
        if (ejecutable.contains(nombre))
            return pid;
    }
    return 0;
}

} // namespace nerin
