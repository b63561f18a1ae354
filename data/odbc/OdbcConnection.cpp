#include "data/odbc/OdbcConnection.h"

#include "data/odbc/OdbcCatalogue.h"
#include "data/odbc/OdbcErrorMap.h"
#include "data/odbc/OdbcParameters.h"
#include "data/odbc/OdbcStatement.h"
#include "data/odbc/OdbcSupport.h"
#include "server/tsql/SqlServerRewrite.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace nerin {

namespace {

// "{call Name(?, ?)}", or "{call Name}" for a procedure without parameters.
QString callText(const DbCommand& command) {
    const QString name = command.text().trimmed();
    const qsizetype count = command.parameters().size();
    if (count == 0)
        return QStringLiteral("{call %1}").arg(name);
    QStringList markers;
    for (qsizetype i = 0; i < count; ++i)
        markers.append(QStringLiteral("?"));
    return QStringLiteral("{call %1(%2)}").arg(name, markers.join(u", "));
}

} // namespace

OdbcConnection::OdbcConnection(QString connectionString, int timeoutSeconds, QString session)
    : m_connectionString(std::move(connectionString)), m_timeoutSeconds(std::max(timeoutSeconds, 0)),
      m_session(std::move(session)) {}

OdbcConnection::~OdbcConnection() {
    close();
}

Status OdbcConnection::open() {
    clearErrors();
    if (isOpen())
        return Status::ok();

    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    // Whatever the driver manager or the driver said, a connection that could not be made is a lost
    // link.
    const auto abandon = [&](SQLSMALLINT handleType, SQLHANDLE handle) {
        const Status status = failure(handleType, handle);
        if (connection != SQL_NULL_HDBC)
            SQLFreeHandle(SQL_HANDLE_DBC, connection);
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
        return Status::error(Status::Code::LostLink, status.message());
    };
    if (!odbcSucceeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)))
        return ownFailure(Status::Code::LostLink, QStringLiteral("No se pudo iniciar el administrador ODBC"));
    if (!odbcSucceeded(
            SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)))
        return abandon(SQL_HANDLE_ENV, environment);
    if (!odbcSucceeded(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection))) {
        connection = SQL_NULL_HDBC;
        return abandon(SQL_HANDLE_ENV, environment);
    }
    if (!m_traceFile.isEmpty()) {
        QByteArray file = QFile::encodeName(m_traceFile);
        if (!odbcSucceeded(SQLSetConnectAttr(connection, SQL_ATTR_TRACEFILE, file.data(), SQL_NTS)) ||
            !odbcSucceeded(SQLSetConnectAttr(connection, SQL_ATTR_TRACE,
                                             reinterpret_cast<SQLPOINTER>(SQL_OPT_TRACE_ON), 0)))
            return abandon(SQL_HANDLE_DBC, connection);
    }
    std::vector<SQLWCHAR> text = toSqlWide(m_connectionString);
    const SQLRETURN rc =
        SQLDriverConnectW(connection, nullptr, text.data(), static_cast<SQLSMALLINT>(SQL_NTS), nullptr, 0,
                          nullptr, SQL_DRIVER_NOPROMPT);
    if (!odbcSucceeded(rc))
        return abandon(SQL_HANDLE_DBC, connection);
    m_environment = environment;
    m_connection = connection;
    m_catalogue = std::make_unique<OdbcCatalogue>(connection);
    m_inTransaction = false;
    if (m_session.isEmpty())
        return Status::ok();
    const Result<qint64> session = execute(m_session);
    if (session)
        return Status::ok();
    const QString reason =
        QStringLiteral("No se pudo fijar el idioma y el formato de fecha de la sesión (%1): %2")
            .arg(m_session, session.status().message());
    DbErrorList errors = this->errors();
    const qint64 number = lastFailure().number;
    close();
    setFailure(DbFailure{number, reason}, std::move(errors));
    return Status::error(Status::Code::LostLink, reason);
}

void OdbcConnection::close() {
    m_catalogue.reset();
    if (m_connection != nullptr) {
        // A connection with a transaction open refuses to disconnect.
        if (m_inTransaction)
            SQLEndTran(SQL_HANDLE_DBC, m_connection, SQL_ROLLBACK);
        SQLDisconnect(m_connection);
        SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    }
    if (m_environment != nullptr)
        SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
    m_connection = nullptr;
    m_environment = nullptr;
    m_inTransaction = false;
}

Result<qint64> OdbcConnection::execute(const QString& sql) {
    clearErrors();
    if (!isOpen())
        return notOpen();
    const Result<QString> text = driverText(sql);
    if (!text)
        return text.status();
    OdbcStatement statement(m_connection);
    if (!statement.isAllocated())
        return failure(SQL_HANDLE_DBC, m_connection);
    statement.setTimeout(m_timeoutSeconds);
    // SQL_NO_DATA: a first data change that touched no rows, which may be followed by more results.
    const SQLRETURN rc = statement.execute(*text);
    if (!odbcSucceeded(rc) && rc != SQL_NO_DATA)
        return failure(statement);
    qint64 rowCount = 0;
    if (Status status = consumeResults(statement, nullptr, &rowCount); !status)
        return status;
    return rowCount;
}

Result<RecordSet> OdbcConnection::query(const QString& sql) {
    clearErrors();
    if (!isOpen())
        return notOpen();
    const Result<QString> text = driverText(sql);
    if (!text)
        return text.status();
    OdbcStatement statement(m_connection);
    if (!statement.isAllocated())
        return failure(SQL_HANDLE_DBC, m_connection);
    statement.setTimeout(m_timeoutSeconds);
    // SQL_NO_DATA: a first data change that touched no rows, which may be followed by more results.
    const SQLRETURN rc = statement.execute(*text);
    if (!odbcSucceeded(rc) && rc != SQL_NO_DATA)
        return failure(statement);
    // Row counts come first when the text changes data before it selects: the first result with
    // columns is the one wanted, and the rest are discarded with the statement.
    for (;;) {
        SQLSMALLINT columns = 0;
        if (!odbcSucceeded(statement.columnCount(columns)))
            return failure(statement);
        if (columns > 0) {
            RecordSet result;
            if (!statement.readResult(result))
                return failure(statement);
            return result;
        }
        const SQLRETURN next = statement.moreResults();
        if (next == SQL_NO_DATA)
            return RecordSet();
        if (!odbcSucceeded(next))
            return failure(statement);
    }
}

Result<QList<RecordSet>> OdbcConnection::run(DbCommand& command) {
    clearErrors();
    if (!isOpen())
        return notOpen();
    const Result<QString> text =
        command.kind() == DbCommand::Kind::StoredProcedure ? callText(command) : driverText(command.text());
    if (!text)
        return text.status();
    // Declared before the statement, so that the statement is freed first: the driver writes output
    // values into these buffers until the last result has been read.
    OdbcParameters parameters(command.parameters());
    OdbcStatement statement(m_connection);
    if (!statement.isAllocated())
        return failure(SQL_HANDLE_DBC, m_connection);
    statement.setTimeout(m_timeoutSeconds);
    if (!parameters.bind(statement.handle()))
        return failure(statement);
    const SQLRETURN rc = statement.execute(*text);
    if (!odbcSucceeded(rc) && rc != SQL_NO_DATA)
        return failure(statement);
    QList<RecordSet> results;
    if (Status status = consumeResults(statement, &results, nullptr); !status)
        return status;
    parameters.writeOutputs(command);
    return results;
}

Status OdbcConnection::consumeResults(OdbcStatement& statement, QList<RecordSet>* results, qint64* rowCount) {
    for (;;) {
        SQLSMALLINT columns = 0;
        if (!odbcSucceeded(statement.columnCount(columns)))
            return failure(statement);
        if (columns > 0 && results != nullptr) {
            RecordSet result;
            if (!statement.readResult(result))
                return failure(statement);
            results->append(std::move(result));
        } else if (columns == 0 && rowCount != nullptr) {
            // Statements that change no data (DDL, SET) report -1.
            SQLLEN count = -1;
            if (odbcSucceeded(statement.rowCount(count)) && count >= 0)
                *rowCount = count;
        }
        const SQLRETURN rc = statement.moreResults();
        if (rc == SQL_NO_DATA)
            return Status::ok();
        if (!odbcSucceeded(rc))
            return failure(statement);
    }
}

Status OdbcConnection::beginTransaction() {
    clearErrors();
    if (!isOpen())
        return notOpen();
    if (m_inTransaction)
        return ownFailure(Status::Code::DatabaseError, QStringLiteral("Ya hay una transacción abierta"));
    if (Status status = setAutoCommit(false); !status)
        return status;
    m_inTransaction = true;
    return Status::ok();
}

Status OdbcConnection::commit() {
    return endTransaction(true);
}

Status OdbcConnection::rollback() {
    return endTransaction(false);
}

Status OdbcConnection::endTransaction(bool commitChanges) {
    clearErrors();
    if (!isOpen())
        return notOpen();
    if (!m_inTransaction)
        return ownFailure(Status::Code::DatabaseError, QStringLiteral("No hay una transacción abierta"));
    // Autocommit stays off until the transaction has ended: turning it on would commit the
    // transaction, even one whose commit just failed.
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, m_connection, commitChanges ? SQL_COMMIT : SQL_ROLLBACK);
    if (!odbcSucceeded(rc))
        return failure(SQL_HANDLE_DBC, m_connection);
    m_inTransaction = false;
    return setAutoCommit(true);
}

Status OdbcConnection::setAutoCommit(bool on) {
    const auto value = static_cast<SQLULEN>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
    const SQLRETURN rc = SQLSetConnectAttr(m_connection, SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER);
    return odbcSucceeded(rc) ? Status::ok() : failure(SQL_HANDLE_DBC, m_connection);
}

Status OdbcConnection::failure(short handleType, Handle handle) {
    DbErrorList errors = readOdbcDiagnostics(handleType, handle);
    const DbError* decisive = decisiveOdbcError(errors);
    if (decisive == nullptr) {
        return ownFailure(Status::Code::DatabaseError,
                          QStringLiteral("El controlador ODBC falló sin dar detalles"));
    }
    const OdbcErrorClass kind = classifyOdbcError(decisive->sqlState, decisive->nativeError);
    const QString description = decisive->description;
    setFailure(DbFailure{kind.number, description}, std::move(errors));
    return Status::error(kind.code, description);
}

Status OdbcConnection::failure(const OdbcStatement& statement) {
    return failure(SQL_HANDLE_STMT, statement.handle());
}

Status OdbcConnection::notOpen() {
    return ownFailure(Status::Code::LostLink,
                      QStringLiteral("La conexión con la base de datos no está abierta"));
}

Status OdbcConnection::ownFailure(Status::Code code, const QString& description) {
    const qint64 number =
        code == Status::Code::CommandTextError ? DbErrorNumber::kCommandText : DbErrorNumber::kGenericFailure;
    setFailure(DbFailure{number, description}, {});
    return Status::error(code, description);
}

Result<QString> OdbcConnection::driverText(const QString& sql) {
    Result<QString> text = tsql::SqlServerRewrite::rewrite(sql, *m_catalogue);
    if (!text)
        return ownFailure(text.status().code(), text.status().message());
    return text;
}

} // namespace nerin
