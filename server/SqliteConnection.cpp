#include "server/SqliteConnection.h"

#include "server/tsql/EngineError.h"
#include "server/tsql/SqliteTarget.h"

#include <sqlite3.h>

namespace nerin {

SqliteConnection::SqliteConnection(QString path, OpenMode mode, int busyTimeoutMs)
    : m_path(std::move(path)), m_mode(mode), m_busyTimeoutMs(busyTimeoutMs) {}

SqliteConnection::~SqliteConnection() {
    close();
}

Status SqliteConnection::open() {
    clearErrors();
    close();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX |
                      (m_mode == OpenMode::CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
    const QByteArray path = m_path.toUtf8();
    sqlite3* db = nullptr;
    int code = sqlite3_open_v2(path.constData(), &db, flags, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        // A double-quoted name that does not exist is an error, never a text, as on the server.
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        sqlite3_busy_timeout(db, m_busyTimeoutMs);
        // The write-ahead log lets terminals read while another writes; FULL synchronisation keeps a
        // committed payment through a power cut.
        code = sqlite3_exec(db,
                            "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;"
                            "SELECT count(*) FROM sqlite_master;",
                            nullptr, nullptr, nullptr);
    }
    if (code != SQLITE_OK) {
        const QString detail =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
        sqlite3_close_v2(db);
        return fail({Status::Code::LostLink, code, QStringLiteral("08001"),
                     QStringLiteral("No se pudo abrir la base de datos %1: %2").arg(m_path, detail)});
    }
    m_db = db;
    if (Status attached = attach(std::make_unique<tsql::SqliteTarget>(m_db)); !attached) {
        close();
        return attached;
    }
    return Status::ok();
}

void SqliteConnection::close() {
    detach();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

} // namespace nerin
