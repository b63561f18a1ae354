#include "data/testing/FaultyConnection.h"

#include <utility>

namespace nerin::fakes {

Fault busyDatabase(int at, QString matching) {
    const QString texto =
        QStringLiteral("La base de datos está ocupada por otra terminal; intente de nuevo.");
    return Fault{at,
                 std::move(matching),
                 Status::Code::DatabaseError,
                 {DbErrorNumber::kGenericFailure, texto},
                 {{1222, texto, QStringLiteral("S1000")}}};
}

FaultyConnection::FaultyConnection(std::unique_ptr<Connection> inner) : m_inner(std::move(inner)) {}

void FaultyConnection::failAt(Fault fault) {
    m_fault = std::move(fault);
    m_matched = 0;
}

void FaultyConnection::notePrompt(const QString& what) {
    if (m_inTransaction)
        m_promptsInTransaction.append(what);
}

std::optional<Status> FaultyConnection::injected(const QString& sql) {
    m_statements.append(sql);
    if (!m_fault || !sql.contains(m_fault->matching))
        return std::nullopt;
    if (++m_matched < m_fault->at)
        return std::nullopt;
    const Fault fault = *std::exchange(m_fault, std::nullopt);
    setFailure(fault.failure, fault.errors);
    return Status::error(fault.code, fault.failure.description);
}

template <typename T> T FaultyConnection::pass(T result) {
    if (result.isOk())
        clearErrors();
    else
        setFailure(m_inner->lastFailure(), m_inner->errors());
    return result;
}

void FaultyConnection::beforeSend() {
    if (m_beforeSend)
        m_beforeSend();
}

Status FaultyConnection::open() {
    m_inTransaction = false;
    return pass(m_inner->open());
}

void FaultyConnection::close() {
    m_inTransaction = false;
    m_inner->close();
}

Result<qint64> FaultyConnection::execute(const QString& sql) {
    beforeSend();
    if (auto failure = injected(sql))
        return *failure;
    return pass(m_inner->execute(sql));
}

Result<RecordSet> FaultyConnection::query(const QString& sql) {
    beforeSend();
    if (auto failure = injected(sql))
        return *failure;
    return pass(m_inner->query(sql));
}

Result<QList<RecordSet>> FaultyConnection::run(DbCommand& command) {
    beforeSend();
    if (auto failure = injected(command.text()))
        return *failure;
    return pass(m_inner->run(command));
}

Status FaultyConnection::beginTransaction() {
    beforeSend();
    Status begun = pass(m_inner->beginTransaction());
    if (begun)
        m_inTransaction = true;
    return begun;
}

Status FaultyConnection::commit() {
    beforeSend();
    Status done = pass(m_inner->commit());
    if (done)
        m_inTransaction = false;
    return done;
}

Status FaultyConnection::rollback() {
    m_inTransaction = false;
    return pass(m_inner->rollback());
}

} // namespace nerin::fakes
