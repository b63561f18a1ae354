#pragma once

#include <QString>
#include <QStringList>

namespace nerin {

// What the terminal asks of the machine it runs on: power, its name and its processes. The real
// program uses LinuxPlatform; tests use a double that records what was asked.
class Platform {
public:
    virtual ~Platform() = default;

    // Ask the machine to switch off or restart; false when the request could not be made.
    virtual bool switchOff() = 0;
    virtual bool restart() = 0;
    // The machine's name, up to 255 characters; "" when the system cannot tell.
    virtual QString NombreEquipo() = 0;
    // The id of a running process whose executable name, in upper case, contains `nombre` (given in
    // upper case), or 0 when none does.
    virtual qint64 findProcess(const QString& nombre) = 0;
};

} // namespace nerin
