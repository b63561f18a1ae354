#pragma once

#include <QString>

namespace nerin {

// Creates a folder path level by level, from the top down, and returns true when the whole path
// exists afterwards. Levels that already exist are left alone; a trailing separator makes no
// difference. A path that cannot be created (a level is a file, no permission, empty path) gives
// false; nothing is thrown.
bool CrearDirectorio(const QString& ruta);

} // namespace nerin
