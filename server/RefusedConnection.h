#pragma once

#include "data/Connection.h"

namespace nerin {

// A connection that never opens, for settings that name a database the program cannot reach as they
// stand (a password file it must not use, a back-end this version does not have): every call fails
// with the reason, so the program reports it where it reports a database it cannot open.
class RefusedConnection : public Connection {
public:
    explicit RefusedConnection(Status reason);

    Status open() override;
    void close() override {}
    bool isOpen() const override { return false; }

    Result<qint64> execute(const QString& sql) override;
    Result<RecordSet> query(const QString& sql) override;
    Result<QList<RecordSet>> run(DbCommand& command) override;

    Status beginTransaction() override;
    Status commit() override;
    Status rollback() override;

private:
    Status refuse();

    Status m_reason;
};

} // namespace nerin
