#pragma once

#include "startup/Platform.h"

namespace nerin {

// The machine through systemd (power), the host name and the process file system.
class LinuxPlatform : public Platform {
public:
    bool switchOff() override;
    bool restart() override;
    QString NombreEquipo() override;
    qint64 findProcess(const QString& nombre) override;
};

} // namespace nerin
