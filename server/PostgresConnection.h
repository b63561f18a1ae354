#pragma once

#include "server/EngineConnection.h"
#include "server/postgres/PgConnection.h"

namespace nerin {

// The back-end for terminals on several machines: a PostgreSQL server reached through libpq, speaking
// T-SQL through the dialect engine with PostgreSQL as its target. Each procedure call and each
// transaction of the terminal is one SERIALIZABLE transaction on the server, run again a few times
// when another machine's conflicting work made the server undo it.
//
// The database is set up once (nerin-sql --create): the engine's run-time library and tables in it.
class PostgresConnection : public EngineConnection {
public:
    enum class OpenMode {
        // A database set up for the terminals; open() refuses any other and says how to set it up.
        SetUp,
        // Any database: open() installs the run-time library and the engine's tables when missing.
        Install,
    };

    // `conninfo` is a libpq connection string (DatabaseSettings::postgresConnInfo()).
    explicit PostgresConnection(QString conninfo, OpenMode mode = OpenMode::SetUp);
    ~PostgresConnection() override;

    Status open() override;
    void close() override;
    bool isOpen() const override;

    // The connection to the server, for what is not T-SQL (setting up a database).
    PgConnection& link() { return m_link; }

private:
    // Whether the run-time library and the engine's tables it defines are in the database: the one check
    // that the database was prepared, since the engine's target on PostgreSQL creates nothing.
    Result<bool> isSetUp();

    QString m_conninfo;
    OpenMode m_mode;
    PgConnection m_link;
};

} // namespace nerin
