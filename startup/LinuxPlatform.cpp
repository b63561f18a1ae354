#include "startup/LinuxPlatform.h"

#include "data/BuscarProceso.h"

#include <QProcess>
#include <QSysInfo>

namespace nerin {

namespace {

constexpr qsizetype kMaxNameLength = 255;

// systemctl returns at once once the request is queued; it fails without the rights to ask.
bool systemctl(const QString& verb) {
    QProcess process;
    process.start(QStringLiteral("systemctl"), {verb});
    if (!process.waitForFinished(30000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

bool LinuxPlatform::switchOff() {
    return systemctl(QStringLiteral("poweroff"));
}

bool LinuxPlatform::restart() {
    return systemctl(QStringLiteral("reboot"));
}

QString LinuxPlatform::NombreEquipo() {
    return QSysInfo::machineHostName().left(kMaxNameLength);
}

qint64 LinuxPlatform::findProcess(const QString& nombre) {
    return BuscarProceso(nombre);
}

} // namespace nerin
