#include "server/EngineConnection.h"

#include "server/MarcadoresPosicionales.h"
#include "server/tsql/Session.h"

#include <QRandomGenerator>
#include <QThread>

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

// Tries of a call that failed only because another connection's change conflicted with it; four
// terminals storing orders at once on one server needed up to seven.
constexpr int kMaxAttempts = 10;

// A batch may run again only when none of its own statements had changed the database before the
// one that failed: each of those stays committed.
std::function<bool()> batchUndone(const tsql::Interpreter::Outcome& outcome) {
    return [&outcome] { return !outcome.changedData; };
}

} // namespace

EngineConnection::EngineConnection() = default;

EngineConnection::~EngineConnection() = default;

Status EngineConnection::attach(std::unique_ptr<tsql::Target> target) {
    m_session = std::make_unique<tsql::Session>(std::move(target));
    if (tsql::EngineStatus initialized = m_session->initialize(); !initialized.isOk()) {
        m_session.reset();
        return fail(initialized.error());
    }
    return Status::ok();
}

void EngineConnection::detach() {
    m_session.reset();
}

Status EngineConnection::fail(const tsql::EngineError& error) {
    setFailure(DbFailure{failureNumber(error.code), error.message},
               {DbError{error.nativeError, error.message, error.sqlState}});
    return error.toStatus();
}

Status EngineConnection::notOpen() {
    return fail({Status::Code::LostLink, 0, QStringLiteral("08003"),
                 QStringLiteral("La conexión con la base de datos no está abierta.")});
}

tsql::EngineStatus EngineConnection::retrying(const std::function<tsql::EngineStatus()>& call,
                                              const std::function<bool()>& undone) {
    const bool ownTransaction = m_session->target().autocommit();
    for (int attempt = 1;; ++attempt) {
        tsql::EngineStatus done = call();
        if (done.isOk() || !ownTransaction || attempt == kMaxAttempts ||
            !m_session->target().isRetryable(done.error()) || (undone && !undone()))
            return done;
        // A random pause, longer each time, so that two terminals that collided do not collide again.
        QThread::msleep(static_cast<unsigned long>(attempt * QRandomGenerator::global()->bounded(5, 25)));
    }
}

Result<EngineConnection::TextOutcome> EngineConnection::runText(const QString& sql) {
    clearErrors();
    if (!m_session)
        return notOpen();
    tsql::Interpreter::Outcome outcome;
    if (tsql::EngineStatus ran = retrying(
            [&] {
                outcome = {};
                return m_session->interpreter().runBatch(sql, outcome);
            },
            batchUndone(outcome));
        !ran.isOk())
        return fail(ran.error());
    TextOutcome text{outcome.rowsAffected, {}};
    if (!outcome.results.isEmpty())
        text.firstResult = std::move(outcome.results.first());
    return text;
}

Result<qint64> EngineConnection::execute(const QString& sql) {
    auto outcome = runText(sql);
    if (!outcome)
        return outcome.status();
    return outcome->rowsAffected;
}

Result<RecordSet> EngineConnection::query(const QString& sql) {
    auto outcome = runText(sql);
    if (!outcome)
        return outcome.status();
    return std::move(outcome->firstResult);
}

Result<QList<RecordSet>> EngineConnection::run(DbCommand& command) {
    clearErrors();
    if (!m_session)
        return notOpen();
    tsql::Interpreter::Outcome outcome;
    auto& parameters = command.parameters();
    if (command.kind() == DbCommand::Kind::StoredProcedure) {
        std::vector<tsql::ProcedureArgument> arguments;
        if (tsql::EngineStatus called = retrying([&] {
                outcome = {};
                arguments.clear();
                for (const DbCommand::Parameter& parameter : parameters)
                    arguments.push_back(
                        {parameter.name,
                         parameter.direction == DbCommand::Direction::Output ? DbValue() : parameter.value,
                         isOutput(parameter), false});
                return m_session->interpreter().callProcedure(command.text(), arguments, outcome);
            });
            !called.isOk())
            return fail(called.error());
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
    auto runOnce = [&]() -> tsql::EngineStatus {
        outcome = {};
        variables = {};
        for (qsizetype i = 0; i < parameters.size(); ++i) {
            const DbCommand::Parameter& parameter = parameters.at(i);
            const QString nombre = marcado.cuantos > 0
                                       ? MarcadoresPosicionales::nombre(static_cast<int>(i + 1))
                                       : parameter.name;
            if (tsql::EngineStatus declared = variables.declare(nombre, typeOf(parameter)); !declared.isOk())
                return declared;
            if (tsql::EngineStatus assigned = variables.assign(nombre, parameter.value); !assigned.isOk())
                return assigned;
        }
        return m_session->interpreter().runBatch(marcado.texto, outcome, &variables);
    };
    if (tsql::EngineStatus ran = retrying(runOnce, batchUndone(outcome)); !ran.isOk())
        return fail(ran.error());
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        DbCommand::Parameter& parameter = parameters[i];
        const QString nombre =
            marcado.cuantos > 0 ? MarcadoresPosicionales::nombre(static_cast<int>(i + 1)) : parameter.name;
        if (isOutput(parameter))
            parameter.value = variables.value(nombre).value_or(DbValue());
    }
    return outcome.results;
}

Status EngineConnection::beginTransaction() {
    return transaction(&tsql::Interpreter::beginTransaction);
}

Status EngineConnection::commit() {
    return transaction(&tsql::Interpreter::commitTransaction);
}

Status EngineConnection::rollback() {
    return transaction(&tsql::Interpreter::rollbackTransaction);
}

Status EngineConnection::transaction(tsql::EngineStatus (tsql::Interpreter::*step)()) {
    clearErrors();
    if (!m_session)
        return notOpen();
    if (tsql::EngineStatus done = (m_session->interpreter().*step)(); !done.isOk())
        return fail(done.error());
    return Status::ok();
}

} // namespace nerin
