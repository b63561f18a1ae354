#include "data/StatePaths.h"

#include <QDir>

namespace nerin {

QString stateRoot() {
    const QString configured = qEnvironmentVariable("NERIN_STATE");
    if (!configured.isEmpty())
        return QDir::cleanPath(configured);
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    if (!xdg.isEmpty())
        return QDir::cleanPath(xdg + QStringLiteral("/nerin"));
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/state/nerin"));
}

QString logRoot() {
    return stateRoot() + QStringLiteral("/morvo");
}

} // namespace nerin
