#include "server/tsql/StatementRunner.h"

#include "server/tsql/DateTimeText.h"
#include "server/tsql/InformationSchema.h"
#include "server/tsql/SqliteErrors.h"
#include "server/tsql/SqliteValues.h"
#include "server/tsql/Translator.h"
#include "server/tsql/ViewChange.h"

#include <sqlite3.h>

namespace nerin::tsql {

namespace {

// Caches are emptied when they grow past these sizes: the terminal sends a few hundred statement
// shapes, so this only happens to a client that builds statements without end.
constexpr qsizetype kMaxTranslations = 4000;
constexpr qsizetype kMaxStatements = 400;
// Views over views that a change goes through; SQL Server nests at most 32.
constexpr int kMaxViewDepth = 32;

// The statement with its literal values left out: statements of one shape share a translation.
QString shapeKey(const TokenList& tokens) {
    QString key;
    key.reserve(tokens.size() * 8);
    for (const Token& t : tokens) {
        key += QChar(u'a' + static_cast<char16_t>(t.kind));
        if (!t.isLiteral())
            key += t.text;
        key += QChar(0x1F);
    }
    return key;
}

bool inlinedTokensMatch(const Translation& translation, const TokenList& tokens) {
    for (const auto& [index, text] : translation.inlinedTokens) {
        if (index >= tokens.size() || tokens[index].text != text)
            return false;
    }
    return true;
}

} // namespace

StatementRunner::StatementRunner(sqlite3* db, const Dialect& dialect)
    : m_db(db), m_catalogue(db), m_translator(std::make_unique<Translator>(m_catalogue, dialect)) {}

StatementRunner::~StatementRunner() {
    finalizeAll();
}

void StatementRunner::finalizeAll() {
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
}

bool StatementRunner::autocommit() const {
    return sqlite3_get_autocommit(m_db) != 0;
}

EngineError StatementRunner::sqliteError(int code, QStringView verb) const {
    return classifySqliteError(code, m_db, verb);
}

Result<std::shared_ptr<const Translation>> StatementRunner::translationFor(const TokenList& tokens) {
    const QString key = shapeKey(tokens);
    QList<std::shared_ptr<const Translation>>& variants = m_translations[key];
    for (const auto& variant : std::as_const(variants)) {
        if (inlinedTokensMatch(*variant, tokens))
            return variant;
    }
    auto translated = m_translator->translate(tokens);
    if (!translated) {
        if (variants.isEmpty())
            m_translations.remove(key);
        return translated.status();
    }
    if (m_translations.size() > kMaxTranslations) {
        m_translations.clear();
        return std::make_shared<const Translation>(std::move(translated).value());
    }
    auto shared = std::make_shared<const Translation>(std::move(translated).value());
    m_translations[key].append(shared);
    return shared;
}

Result<sqlite3_stmt*> StatementRunner::prepared(const QString& sql, bool keep) {
    if (keep) {
        if (sqlite3_stmt* cached = m_statements.value(sql))
            return cached;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(m_db, utf8.constData(), static_cast<int>(utf8.size()),
                                        keep ? SQLITE_PREPARE_PERSISTENT : 0, &statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        return sqliteError(code).toStatus();
    }
    if (keep) {
        if (m_statements.size() >= kMaxStatements)
            finalizeAll();
        m_statements.insert(sql, statement);
    }
    return statement;
}

std::optional<EngineError> StatementRunner::run(const TokenList& written, const VariableLookup& variables,
                                                qint64 rowCount, int tranCount, Outcome& outcome) {
    // A change through a view is run against its base table, through as many views as it names.
    std::optional<TokenList> rewritten;
    for (int depth = 0; depth < kMaxViewDepth && !written.isEmpty() &&
                        (written[0].is(u"UPDATE") || written[0].is(u"DELETE"));
         ++depth) {
        auto change = ViewChange::rewrite(rewritten ? *rewritten : written, m_catalogue);
        if (auto* failure = std::get_if<EngineError>(&change))
            return *failure;
        auto* through = std::get_if<TokenList>(&change);
        if (!through)
            break;
        rewritten = std::move(*through);
    }
    const TokenList& tokens = rewritten ? *rewritten : written;
    auto translation = translationFor(tokens);
    if (!translation) {
        const Status& s = translation.status();
        return s.code() == Status::Code::NotFound ? EngineError::notFound(s.message())
                                                  : EngineError::commandText(s.message());
    }
    const Translation& t = **translation;
    // Schema statements run once; everything else is kept prepared for the next time.
    const bool keep = t.kind != Translation::Kind::Schema;
    auto statement = prepared(t.sql, keep);
    if (!statement) {
        const int code = sqlite3_errcode(m_db);
        return sqliteError(code);
    }
    std::optional<EngineError> failure = bind(*statement, tokens, t, variables, rowCount, tranCount);
    if (!failure)
        failure = step(*statement, t, outcome);
    if (keep) {
        sqlite3_reset(*statement);
        sqlite3_clear_bindings(*statement);
    } else {
        sqlite3_finalize(*statement);
    }
    if (!failure && t.kind == Translation::Kind::Schema)
        failure = InformationSchema::noteDefinition(*this, tokens);
    if (t.kind == Translation::Kind::Schema)
        m_catalogue.forgetAll();
    else if (!t.touchedTable.isEmpty())
        m_catalogue.forget(t.touchedTable);
    return failure;
}

std::optional<EngineError> StatementRunner::bind(sqlite3_stmt* statement, const TokenList& tokens,
                                                 const Translation& translation,
                                                 const VariableLookup& variables, qint64 rowCount,
                                                 int tranCount) {
    const int count = sqlite3_bind_parameter_count(statement);
    for (int i = 1; i <= count; ++i) {
        const char* rawName = sqlite3_bind_parameter_name(statement, i);
        const QString name = rawName ? QString::fromUtf8(rawName) : QString();
        DbValue value;
        if (name.isEmpty() || name.startsWith(u'?')) {
            const qsizetype slot = name.isEmpty() ? i : name.mid(1).toLongLong();
            if (slot < 1 || slot > translation.literalTokens.size())
                return EngineError::commandText(
                    QStringLiteral("Parámetro sin valor en la traducción: %1").arg(name));
            const Token& literal = tokens[translation.literalTokens[slot - 1]];
            if (literal.isBinary()) {
                const QByteArray bytes = binaryLiteralBytes(literal);
                // An empty blob, not NULL: 0x is a value of no bytes.
                const int code =
                    bytes.isEmpty()
                        ? sqlite3_bind_zeroblob(statement, i, 0)
                        : sqlite3_bind_blob64(statement, i, bytes.constData(),
                                              static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
                if (code != SQLITE_OK)
                    return sqliteError(code);
                continue;
            }
            value = literalValue(literal);
        } else if (name == QStringLiteral("@__rowcount")) {
            value = DbValue(rowCount);
        } else if (name == QStringLiteral("@__trancount")) {
            value = DbValue(qint64{tranCount});
        } else {
            std::optional<DbValue> found = variables ? variables(name) : std::nullopt;
            if (!found)
                return EngineError::commandText(
                    QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(name), 137);
            value = *found;
        }
        if (const int code = bindValue(statement, i, value); code != SQLITE_OK)
            return sqliteError(code);
    }
    return std::nullopt;
}

std::optional<EngineError> StatementRunner::step(sqlite3_stmt* statement, const Translation& translation,
                                                 Outcome& outcome) {
    outcome.kind = translation.kind;
    const int columns = sqlite3_column_count(statement);
    const bool returnsRows = translation.kind == Translation::Kind::Query && columns > 0;
    RecordSet rows;
    if (returnsRows)
        rows = RecordSet(columnNames(statement));
    qint64 rowCount = 0;
    while (true) {
        const int code = sqlite3_step(statement);
        if (code == SQLITE_DONE)
            break;
        if (code != SQLITE_ROW) {
            // Constraint messages name the statement that failed.
            const QStringView sql(translation.sql);
            for (const QStringView verb : {u"UPDATE", u"DELETE"}) {
                if (sql.startsWith(verb, Qt::CaseInsensitive))
                    return sqliteError(code, verb);
            }
            return sqliteError(code);
        }
        if (returnsRows) {
            rows.addRow(readRow(statement));
            ++rowCount;
        }
    }
    if (returnsRows) {
        outcome.rows = std::move(rows);
        outcome.rowCount = rowCount;
    } else {
        outcome.rows.reset();
        outcome.rowCount = translation.kind == Translation::Kind::Change ? sqlite3_changes64(m_db) : 0;
    }
    return std::nullopt;
}

std::optional<EngineError> StatementRunner::runNative(const QString& sql, const QList<DbValue>& parameters,
                                                      RecordSet* rows) {
    auto statement = prepared(sql, true);
    if (!statement)
        return sqliteError(sqlite3_errcode(m_db));
    std::optional<EngineError> failure;
    for (int i = 0; i < parameters.size() && !failure; ++i) {
        if (const int code = bindValue(*statement, i + 1, parameters[i]); code != SQLITE_OK)
            failure = sqliteError(code);
    }
    if (rows && !failure)
        *rows = RecordSet(columnNames(*statement));
    while (!failure) {
        const int code = sqlite3_step(*statement);
        if (code == SQLITE_DONE)
            break;
        if (code != SQLITE_ROW) {
            failure = sqliteError(code);
            break;
        }
        if (rows)
            rows->addRow(readRow(*statement));
    }
    sqlite3_reset(*statement);
    sqlite3_clear_bindings(*statement);
    return failure;
}

} // namespace nerin::tsql
