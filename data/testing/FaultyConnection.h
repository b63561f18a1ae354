#pragma once

#include "data/Connection.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace nerin::fakes {

// A failure to give in place of running a statement. A statement is one execute, query or run;
// beginning, committing and rolling back a transaction are not counted.
struct Fault {
    // The fault fires on the at-th statement sent after it was armed, counting only statements whose
    // text contains `matching` (every statement when it is empty).
    int at = 1;
    QString matching;
    Status::Code code = Status::Code::DatabaseError;
    DbFailure failure;
    DbErrorList errors;
};

// The failure of a database kept busy by another terminal past the time-out, as the embedded
// back-end reports it: the error report shows it to the person.
Fault busyDatabase(int at = 1, QString matching = {});

// A connection that passes everything to a real one, keeps the text of every statement sent, knows
// whether a transaction is open, and fails one statement on demand. After the armed fault has fired
// the connection works normally again.
class FaultyConnection : public Connection {
public:
    explicit FaultyConnection(std::unique_ptr<Connection> inner);

    // Arms `fault`, replacing any fault not fired yet.
    void failAt(Fault fault);
    void disarm() { m_fault.reset(); }
    bool armed() const { return m_fault.has_value(); }

    // The statements sent, failed ones included, in order.
    const QStringList& statements() const { return m_statements; }
    void clearStatements() { m_statements.clear(); }

    // Called before each thing sent to the database: statements, beginning and committing (a rollback
    // is what a dead connection does anyway, so it is not counted).
    void setBeforeSend(std::function<void()> beforeSend) { m_beforeSend = std::move(beforeSend); }

    bool inTransaction() const { return m_inTransaction; }
    // Notes that a person was asked something (`what` says what); kept when it happened while a
    // transaction was open, since the database then stays locked until the person answers.
    void notePrompt(const QString& what);
    const QStringList& promptsInTransaction() const { return m_promptsInTransaction; }

    // The connection behind, to reach the database without counting or failing.
    Connection& inner() { return *m_inner; }

    Status open() override;
    void close() override;
    bool isOpen() const override { return m_inner->isOpen(); }
    Result<qint64> execute(const QString& sql) override;
    Result<RecordSet> query(const QString& sql) override;
    Result<QList<RecordSet>> run(DbCommand& command) override;
    Status beginTransaction() override;
    Status commit() override;
    Status rollback() override;
    QString archivoLocal() const override { return m_inner->archivoLocal(); }

private:
    // The fault's Status when this statement is the one to fail; it then records the failure.
    std::optional<Status> injected(const QString& sql);
    template <typename T> T pass(T result);
    void beforeSend();

    std::unique_ptr<Connection> m_inner;
    std::optional<Fault> m_fault;
    std::function<void()> m_beforeSend;
    int m_matched = 0;
    QStringList m_statements;
    bool m_inTransaction = false;
    QStringList m_promptsInTransaction;
};

} // namespace nerin::fakes
