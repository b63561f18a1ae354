#include "server/RefusedConnection.h"

namespace nerin {

RefusedConnection::RefusedConnection(Status reason) : m_reason(std::move(reason)) {}

Status RefusedConnection::refuse() {
    // 08001: the connection could not be made, as a driver reports a server it cannot log in to.
    setFailure(DbFailure{DbErrorNumber::kGenericFailure, m_reason.message()},
               {DbError{0, m_reason.message(), QStringLiteral("08001")}});
    return m_reason;
}

Status RefusedConnection::open() {
    return refuse();
}

Result<qint64> RefusedConnection::execute(const QString&) {
    return refuse();
}

Result<RecordSet> RefusedConnection::query(const QString&) {
    return refuse();
}

Result<QList<RecordSet>> RefusedConnection::run(DbCommand&) {
    return refuse();
}

Status RefusedConnection::beginTransaction() {
    return refuse();
}

Status RefusedConnection::commit() {
    return refuse();
}

Status RefusedConnection::rollback() {
    return refuse();
}

} // namespace nerin
