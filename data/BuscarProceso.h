#pragma once

#include <QString>

namespace nerin {

// Looks through the machine's running processes for one whose executable name, in upper case,
// contains `nombre`, and returns its process id, or 0 when none does. The name is compared as
// given, so callers pass it in upper case. `procRoot` is the process file system to read; tests
// point it at a folder of their own.
qint64 BuscarProceso(const QString& nombre, const QString& procRoot = QStringLiteral("/proc"));

} // namespace nerin
