#include "server/SqliteConnection.h"

#include "server/MarcadoresPosicionales.h"
#include "server/tsql/Session.h"
#include "server/tsql/SqliteValues.h"

#include <sqlite3.h>

namespace nerin {

namespace {

qint64 failureNumber(Status::Code code) {
    switch (code) {
    case Status::Code::CommandTextError:
        return DbErrorNumber::kCommandText;
    case Status::Code::NotFound:
        return DbErrorNumber::kObjectNotFound;
    default:
        return DbErrorNumber::kGenericFailure;
    }
}

QString typeOf(const DbCommand::Parameter& parameter) {
    switch (parameter.type) {
    case DbCommand::ParamType::BigInt:
        return QStringLiteral("bigint");
    case DbCommand::ParamType::Integer:
        return QStringLiteral("int");
    case DbCommand::ParamType::Char:
        return QStringLiteral("char(%1)").arg(std::max(parameter.size, 1));
    case DbCommand::ParamType::LongText:
        return QStringLiteral("varchar(max)");
    case DbCommand::ParamType::Currency:
        return QStringLiteral("money");
    }
    return QStringLiteral("varchar(max)");
}

bool isOutput(const DbCommand::Parameter& parameter) {
    return parameter.direction != DbCommand::Direction::Input;
}

} // namespace

SqliteConnection::SqliteConnection(QString path, OpenMode mode, int busyTimeoutMs)
    : m_path(std::move(path)), m_mode(mode), m_busyTimeoutMs(busyTimeoutMs) {}

SqliteConnection::~SqliteConnection() {
    close();
}

Status SqliteConnection::fail(const tsql::EngineError& error) {
    setFailure(DbFailure{failureNumber(error.code), error.message},
               {DbError{error.nativeError, error.message, error.sqlState}});
    return error.toStatus();
}

Status SqliteConnection::notOpen() {
    return fail({Status::Code::LostLink, 0, QStringLiteral("08003"),
                 QStringLiteral("La conexión con la base de datos no está abierta.")});
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
    m_session = std::make_unique<tsql::Session>(m_db);
    if (auto failure = m_session->initialize()) {
        close();
        return fail(*failure);
    }
    return Status::ok();
}

void SqliteConnection::close() {
    m_session.reset();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

Result<qint64> SqliteConnection::execute(const QString& sql) {
    clearErrors();
    if (!m_db)
        return notOpen();
    tsql::Interpreter::Outcome outcome;
    if (auto failure = m_session->interpreter().runBatch(sql, outcome))
        return fail(*failure);
    return outcome.rowsAffected;
}

Result<RecordSet> SqliteConnection::query(const QString& sql) {
    clearErrors();
    if (!m_db)
        return notOpen();
    tsql::Interpreter::Outcome outcome;
    if (auto failure = m_session->interpreter().runBatch(sql, outcome))
        return fail(*failure);
    if (outcome.results.isEmpty())
        return RecordSet();
    return std::move(outcome.results.first());
}

Result<QList<RecordSet>> SqliteConnection::run(DbCommand& command) {
    clearErrors();
    if (!m_db)
        return notOpen();
    tsql::Interpreter::Outcome outcome;
    auto& parameters = command.parameters();
    if (command.kind() == DbCommand::Kind::StoredProcedure) {
        std::vector<tsql::ProcedureArgument> arguments;
        for (const DbCommand::Parameter& parameter : parameters)
            arguments.push_back(
                {parameter.name,
                 parameter.direction == DbCommand::Direction::Output ? DbValue() : parameter.value,
                 isOutput(parameter), false});
        if (auto failure = m_session->interpreter().callProcedure(command.text(), arguments, outcome))
            return fail(*failure);
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (isOutput(parameters[static_cast<qsizetype>(i)]))
                parameters[static_cast<qsizetype>(i)].value = arguments[i].value;
        }
        return outcome.results;
    }
    // A text command sees its parameters as variables declared before it starts: by their names, or,
    // when the text marks them with "?", in order.
    const MarcadoresPosicionales marcado = MarcadoresPosicionales::nombrar(command.text());
    if (marcado.cuantos > 0 && marcado.cuantos != parameters.size())
        return fail(tsql::EngineError::commandText(
            QStringLiteral("El comando tiene %1 marcadores \"?\" y %2 parámetros")
                .arg(marcado.cuantos)
                .arg(parameters.size())));
    tsql::Variables variables;
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        const DbCommand::Parameter& parameter = parameters.at(i);
        const QString nombre =
            marcado.cuantos > 0 ? MarcadoresPosicionales::nombre(static_cast<int>(i + 1)) : parameter.name;
        if (auto failure = variables.declare(nombre, typeOf(parameter)))
            return fail(*failure);
        if (auto failure = variables.assign(nombre, parameter.value))
            return fail(*failure);
    }
    if (auto failure = m_session->interpreter().runBatch(marcado.texto, outcome, &variables))
        return fail(*failure);
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        DbCommand::Parameter& parameter = parameters[i];
        const QString nombre =
            marcado.cuantos > 0 ? MarcadoresPosicionales::nombre(static_cast<int>(i + 1)) : parameter.name;
        if (isOutput(parameter))
            parameter.value = variables.value(nombre).value_or(DbValue());
    }
    return outcome.results;
}

Status SqliteConnection::beginTransaction() {
    return transaction(&tsql::Interpreter::beginTransaction);
}

Status SqliteConnection::commit() {
    return transaction(&tsql::Interpreter::commitTransaction);
}

Status SqliteConnection::rollback() {
    return transaction(&tsql::Interpreter::rollbackTransaction);
}

Status SqliteConnection::transaction(std::optional<tsql::EngineError> (tsql::Interpreter::*step)()) {
    clearErrors();
    if (!m_db)
        return notOpen();
    if (auto failure = (m_session->interpreter().*step)())
        return fail(*failure);
    return Status::ok();
}

} // namespace nerin
