#pragma once

#include "base/Status.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace nerin {

// Creates a restaurant database file from the server files built into the program: every table,
// view and procedure, written once in T-SQL, run in the order of their file names; with `demo`, also
// the demo restaurant's data.
class DatabaseBuilder {
public:
    using Progress = std::function<void(const QString& step)>;

    // Fails without touching anything when the file exists; a file left half built by a failing
    // script is removed. The message names the script and line that failed.
    static Status create(const QString& path, bool demo, const Progress& progress = {});

    // The names of the built-in scripts, in the order they run.
    static QStringList schemaScripts();
    static QStringList demoScripts();
};

} // namespace nerin
