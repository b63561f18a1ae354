#pragma once

#include "base/Status.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace nerin {

// Creates a restaurant database from the server files built into the program: every table,
// view and procedure, written once in T-SQL, run in the order of their file names; with `demo`, also
// the demo restaurant's data.
class DatabaseBuilder {
public:
    using Progress = std::function<void(const QString& step)>;

    // Fails without touching anything when the file exists; a file left half built by a failing
    // script is removed. The message names the script and line that failed.
    static Status create(const QString& path, bool demo, const Progress& progress = {});
    // The same on the PostgreSQL database `conninfo` (a libpq connection string), which exists and
    // does not hold the restaurant yet: the engine's run-time library first, then the server files
    // through the engine, all of them or none.
    static Status createPostgres(const QString& conninfo, bool demo, const Progress& progress = {});

    // The names of the built-in scripts, in the order they run.
    static QStringList schemaScripts();
    static QStringList demoScripts();
};

} // namespace nerin
