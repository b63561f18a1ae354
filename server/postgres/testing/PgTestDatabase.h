#pragma once

#include "base/Status.h"

#include <QString>

namespace nerin::testing {

// A database of its own for one test, on the tests' PostgreSQL cluster (whose connection string
// scripts/pg-prueba puts in the environment variable NERIN_PG_PRUEBAS): created empty from template0
// in UTF-8, with the case-insensitive collation the restaurant's texts use, and dropped with the
// object, connections still open to it included.
class PgTestDatabase {
public:
    static constexpr const char* kVariable = "NERIN_PG_PRUEBAS";

    PgTestDatabase() = default;
    ~PgTestDatabase();
    PgTestDatabase(const PgTestDatabase&) = delete;
    PgTestDatabase& operator=(const PgTestDatabase&) = delete;

    // The cluster's connection string; empty when the tests run without a cluster.
    static QString clusterConnInfo();
    // Why a test that needs the cluster does not run without it, and how to give it one.
    static QString skipReason();

    // Creates the database under a random name; as a copy of the database `copyOf` when given (which
    // nobody may be connected to).
    Status create(const QString& copyOf = {});
    // The connection string for the database; empty before create().
    QString connInfo() const;
    const QString& name() const { return m_name; }

private:
    Status drop();

    QString m_name;
};

} // namespace nerin::testing
