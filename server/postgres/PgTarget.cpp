#include "server/postgres/PgTarget.h"

#include <limits>

namespace nerin {

using tsql::EngineError;
using tsql::EngineStatus;
using tsql::Token;
using tsql::Translation;

namespace {

// Translations are numbered again at most this many at a time; past it the table starts afresh (the
// terminal sends a few hundred statement shapes).
constexpr std::size_t kMaxNumbered = 4000;

// The value of a literal as written in the statement: whole numbers as int4 (int8 when larger), other
// numbers exactly as numeric (float8 with an exponent), texts for the server to read by where they
// stand (a date text in a date column reads as a date), "0x…" as bytes.
PgValues::Parameter literalParameter(const Token& literal) {
    if (literal.kind == Token::Kind::String)
        return {0, literal.text.toUtf8(), false};
    if (literal.isBinary())
        return {PgValues::kBytea,
                QByteArrayLiteral("\\x") + tsql::StatementValues::binaryLiteralBytes(literal).toHex(), false};
    bool whole = false;
    const qint64 number = literal.text.toLongLong(&whole);
    if (whole)
        return PgTarget::parameter(DbValue(number));
    if (literal.text.contains(u'e', Qt::CaseInsensitive))
        return {PgValues::kFloat8, literal.text.toLatin1(), false};
    return {PgValues::kNumeric, literal.text.toLatin1(), false};
}

// Gives the columns of `rows` the names as the statement spells them ("Total" where the server says
// "total").
void respell(RecordSet& rows, const QHash<QString, QString>& spellings) {
    for (int column = 0; column < rows.fieldCount(); ++column) {
        const QString spelled = spellings.value(rows.columns().at(column));
        if (!spelled.isEmpty())
            rows.renameColumn(column, spelled);
    }
}

// `error` with the name it quotes spelled as the statement spelled it: the server folds the names it
// did not find, T-SQL says them as written ("Invalid object name 'NoExiste'.").
EngineError withSpelling(EngineError error, const QHash<QString, QString>& spellings) {
    if (error.nativeError != 207 && error.nativeError != 208 && error.nativeError != 209)
        return error;
    const qsizetype open = error.message.indexOf(u'\'');
    const qsizetype close = open < 0 ? -1 : error.message.indexOf(u'\'', open + 1);
    if (close < 0)
        return error;
    QStringList parts = error.message.mid(open + 1, close - open - 1).split(u'.');
    for (QString& part : parts) {
        if (const auto spelled = spellings.constFind(part); spelled != spellings.constEnd())
            part = *spelled;
    }
    error.message.replace(open + 1, close - open - 1, parts.join(u'.'));
    return error;
}

// A savepoint's name as the server reads it, whatever it holds.
QString savepointName(const QString& name) {
    QString quoted = name.toLower();
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

PgTarget::PgTarget(PgConnection& connection) : m_connection(connection), m_catalogue(connection) {}

PgValues::Parameter PgTarget::parameter(const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Integer: {
        const qint64 number = value.toInt();
        const bool small =
            number >= std::numeric_limits<qint32>::min() && number <= std::numeric_limits<qint32>::max();
        return {small ? PgValues::kInt4 : PgValues::kInt8, QByteArray::number(number), false};
    }
    case DbValue::Type::Text:
        return {0, value.toString().toUtf8(), false};
    case DbValue::Type::Currency: {
        // With its four places, so that what takes money for a number with decimals (CONVERT's money
        // styles) sees money.
        const qint64 raw = value.toCurrency().raw();
        const quint64 magnitude = raw < 0 ? 0 - static_cast<quint64>(raw) : static_cast<quint64>(raw);
        return {PgValues::kNumeric,
                QByteArray(raw < 0 ? "-" : "") + QByteArray::number(magnitude / 10000) + '.' +
                    QByteArray::number(magnitude % 10000).rightJustified(4, '0'),
                false};
    }
    default:
        return PgValues::parameter(value);
    }
}

const NumberedStatement& PgTarget::numbered(const Translation& translation) {
    if (const auto found = m_numbered.find(translation.sql); found != m_numbered.end())
        return found->second;
    if (m_numbered.size() >= kMaxNumbered)
        m_numbered.clear();
    return m_numbered
        .emplace(translation.sql, numberStatement(translation.sql, translation.literalTokens.size()))
        .first->second;
}

EngineError PgTarget::lastError() const {
    const std::optional<PgError>& error = m_connection.lastError();
    if (!error)
        return {Status::Code::LostLink, 0, QStringLiteral("08S01"),
                QStringLiteral("Se perdió la conexión con el servidor PostgreSQL.")};
    return {error->code, static_cast<int>(error->detail.nativeError), error->detail.sqlState,
            error->detail.description};
}

EngineStatus PgTarget::execute(const tsql::StatementValues& values, tsql::StatementOutcome& outcome) {
    const Translation& translation = values.translation();
    const NumberedStatement& statement = numbered(translation);
    std::vector<PgValues::Parameter> parameters;
    parameters.reserve(static_cast<std::size_t>(translation.literalTokens.size() + statement.names.size()));
    for (qsizetype slot = 1; slot <= translation.literalTokens.size(); ++slot) {
        const Token* literal = values.literal(slot);
        if (!literal)
            return EngineError::commandText(
                QStringLiteral("Parámetro sin valor en la traducción: $%1").arg(slot));
        parameters.push_back(literalParameter(*literal));
    }
    for (const QString& name : statement.names) {
        DbValue value;
        if (EngineStatus failure = values.variable(name, value); !failure.isOk())
            return failure;
        parameters.push_back(parameter(value));
    }

    // A lone value ("SET @v = @p", "SET @v = 0" in a procedure) is what the server would echo: read
    // here, without a round trip.
    if (statement.sql == u"SELECT $1" && parameters.size() == 1) {
        const PgValues::Parameter& lone = parameters.front();
        RecordSet rows(QStringList{QStringLiteral("?column?")});
        rows.addRow({PgValues::field(lone.null ? 0 : lone.type, lone.null ? nullptr : lone.text.constData(),
                                     static_cast<int>(lone.text.size()))});
        outcome.kind = translation.kind;
        outcome.rows = std::move(rows);
        outcome.rowCount = 1;
        return EngineStatus::ok();
    }

    // What creates or drops a table runs once; the statements that named the table are prepared
    // again, since the next table of that name may have other columns.
    const bool definition =
        translation.kind == Translation::Kind::Schema || !translation.touchedTable.isEmpty();
    // A "#" table ends with the session, so a commit that only makes or drops one need not wait for
    // the disk, as every commit of a definition otherwise does (milliseconds each, several times for
    // one listing of a screen).
    const bool ofTheSession = definition && autocommit() && translation.touchedTable.startsWith(u'#');
    if (ofTheSession && !m_connection.execute(QStringLiteral("BEGIN; SET LOCAL synchronous_commit TO OFF")))
        return lastError();
    Result<PgConnection::Outcome> done = definition ? m_connection.execute(statement.sql, parameters)
                                                    : m_connection.executePrepared(statement.sql, parameters);
    if (definition) {
        if (translation.touchedTable.isEmpty())
            m_connection.forgetPrepared();
        else
            m_connection.forgetPrepared(u'"' + translation.touchedTable.toLower() + u'"');
    }
    if (!done) {
        const EngineError failure = withSpelling(lastError(), statement.spellings);
        // The failure is what is reported; a rollback that fails too leaves a broken connection,
        // which its next call finds.
        if (ofTheSession)
            (void)m_connection.rollback();
        return failure;
    }
    if (ofTheSession) {
        if (Status committed = m_connection.commit(); !committed)
            return lastError();
    }

    outcome.kind = translation.kind;
    if (translation.kind == Translation::Kind::Query && !done->results.isEmpty()) {
        outcome.rows = std::move(done->results.first());
        respell(*outcome.rows, statement.spellings);
        outcome.rowCount = outcome.rows->rows().size();
    } else {
        outcome.rows.reset();
        outcome.rowCount = translation.kind == Translation::Kind::Change ? done->rowsAffected : 0;
    }
    return EngineStatus::ok();
}

EngineStatus PgTarget::runNative(const QString& sql, const QList<DbValue>& parameters, RecordSet* rows) {
    std::vector<PgValues::Parameter> typed;
    typed.reserve(static_cast<std::size_t>(parameters.size()));
    for (const DbValue& value : parameters)
        typed.push_back(parameter(value));
    // The engine's own lookups run again and again; its definitions once.
    Result<PgConnection::Outcome> done =
        typed.empty() ? m_connection.execute(sql) : m_connection.executePrepared(sql, typed);
    if (!done)
        return lastError();
    if (rows)
        *rows = done->results.isEmpty() ? RecordSet() : std::move(done->results.first());
    return EngineStatus::ok();
}

EngineStatus PgTarget::installEngineTables() {
    // Nothing to create here: the function library (runtime/information_schema.sql) defines
    // nerin_procedures and nerin_views, since the INFORMATION_SCHEMA views it creates read them and need
    // them first, and a terminal's login may not be allowed to create tables. PostgresConnection opens
    // only a database that has them, after installing the library or checking that it is there.
    return EngineStatus::ok();
}

EngineStatus PgTarget::transaction(TransactionStep step, const QString& savepoint) {
    Status done;
    switch (step) {
    case TransactionStep::Begin:
        done = m_connection.begin(PgConnection::Isolation::Serializable);
        break;
    case TransactionStep::Commit:
        done = m_connection.commit();
        break;
    case TransactionStep::Rollback:
        done = m_connection.rollback();
        break;
    case TransactionStep::Savepoint:
        return runNative(QStringLiteral("SAVEPOINT ") + savepointName(savepoint));
    case TransactionStep::ReleaseSavepoint:
        return runNative(QStringLiteral("RELEASE SAVEPOINT ") + savepointName(savepoint));
    case TransactionStep::RollbackToSavepoint:
        return runNative(QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepointName(savepoint));
    }
    if (!done)
        return lastError();
    return EngineStatus::ok();
}

bool PgTarget::autocommit() const {
    return !m_connection.inTransaction();
}

bool PgTarget::isRetryable(const EngineError& error) const {
    return error.sqlState == u"40001" || error.sqlState == u"40P01";
}

} // namespace nerin
