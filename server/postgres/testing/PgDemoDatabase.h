#pragma once

#include "base/Status.h"
#include "server/postgres/testing/PgTestDatabase.h"

#include <QString>

namespace nerin::testing {

// The back-ends a test of the whole terminal runs on.
enum class Motor { Sqlite, Postgres };

inline const char* nombreDeMotor(Motor motor) {
    return motor == Motor::Sqlite ? "sqlite" : "postgres";
}

// A copy of the demo restaurant of its own on the tests' PostgreSQL cluster. The demo is built there
// once, as a template database that each copy is made from, and kept until borrarDemo().
class PgDemoDatabase {
public:
    Status create();
    // Drops the template; a test suite's tear-down calls it, since the connection library may no longer
    // be usable once the program is ending.
    static void borrarDemo();
    QString connInfo() const { return m_copia.connInfo(); }

    // Points the terminal's settings file at the copy as an installation would: Motor=postgres, the
    // cluster's host and port, the database, the login and its password in `archivoClave`, written
    // there readable by its owner alone.
    Status escribirAjustes(const QString& archivoAjustes, const QString& archivoClave) const;

private:
    PgTestDatabase m_copia;
};

} // namespace nerin::testing
