#pragma once

#include "server/EngineConnection.h"

#include <memory>
#include <optional>

struct sqlite3;

namespace nerin {

// The embedded back-end: a SQLite database file that every terminal process of the machine opens
// directly, speaking T-SQL through the dialect engine. The journal is a write-ahead log and a busy
// database is waited for, so many terminals can write to one file.
class SqliteConnection : public EngineConnection {
public:
    enum class OpenMode { ExistingFile, CreateIfMissing };

    explicit SqliteConnection(QString path, OpenMode mode = OpenMode::ExistingFile,
                              int busyTimeoutMs = 30000);
    ~SqliteConnection() override;

    Status open() override;
    void close() override;
    bool isOpen() const override { return m_db != nullptr; }

    const QString& path() const { return m_path; }
    QString archivoLocal() const override { return m_path; }

private:
    QString m_path;
    OpenMode m_mode;
    int m_busyTimeoutMs;
    sqlite3* m_db = nullptr;
};

} // namespace nerin
