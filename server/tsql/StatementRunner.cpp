#include "server/tsql/StatementRunner.h"

#include "server/tsql/InformationSchema.h"
#include "server/tsql/Translator.h"
#include "server/tsql/ViewChange.h"

namespace nerin::tsql {

namespace {

// The cache is emptied when it grows past this size: the terminal sends a few hundred statement
// shapes, so this only happens to a client that builds statements without end.
constexpr qsizetype kMaxTranslations = 4000;
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

StatementRunner::StatementRunner(Target& target)
    : m_target(target), m_translator(std::make_unique<Translator>(target.catalogue(), target.dialect())) {}

StatementRunner::~StatementRunner() = default;

EngineResult<std::shared_ptr<const Translation>> StatementRunner::translationFor(const TokenList& tokens) {
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

EngineStatus StatementRunner::run(const TokenList& written, const VariableLookup& variables, qint64 rowCount,
                                  int tranCount, Outcome& outcome) {
    // A change through a view is run against its base table, through as many views as it names.
    std::optional<TokenList> rewritten;
    for (int depth = 0; depth < kMaxViewDepth && !written.isEmpty() &&
                        (written[0].is(u"UPDATE") || written[0].is(u"DELETE"));
         ++depth) {
        auto change = ViewChange::rewrite(rewritten ? *rewritten : written, m_target.catalogue());
        if (!change)
            return change.status();
        if (!change->has_value())
            break;
        rewritten = std::move(**change);
    }
    const TokenList& tokens = rewritten ? *rewritten : written;
    auto translation = translationFor(tokens);
    if (!translation)
        return translation.status();
    const Translation& t = **translation;
    EngineStatus done = m_target.execute(StatementValues(tokens, t, variables, rowCount, tranCount), outcome);
    if (done.isOk() && t.kind == Translation::Kind::Schema)
        done = InformationSchema::noteDefinition(m_target, tokens);
    if (t.kind == Translation::Kind::Schema)
        m_target.catalogue().forgetAll();
    else if (!t.touchedTable.isEmpty())
        m_target.catalogue().forget(t.touchedTable);
    return done;
}

} // namespace nerin::tsql
