#include "server/tsql/Translator.h"

#include "server/tsql/ChangeRewriter.h"
#include "server/tsql/NestedTokens.h"
#include "server/tsql/RewriteContext.h"
#include "server/tsql/SchemaTranslator.h"
#include "server/tsql/SelectRewriter.h"

namespace nerin::tsql {

EngineResult<Translation> Translator::translate(const TokenList& tokens) {
    qsizetype count = tokens.size();
    if (count > 0 && tokens.last().kind == Token::Kind::Semicolon)
        --count;
    if (count == 0)
        return malformed(QStringLiteral("Instrucción vacía"));
    if (count > std::numeric_limits<int>::max() / 2)
        return malformed(QStringLiteral("Instrucción demasiado larga"));
    auto nested = NestedTokens::build(tokens, static_cast<int>(count));
    if (!nested)
        return nested.status();

    SqlBuilder out(tokens, m_dialect);
    RewriteContext context{*nested, out, m_catalogue, m_dialect};
    const Token& first = tokens.first();
    QString touched;
    EngineStatus status;
    Translation::Kind kind = Translation::Kind::Change;
    if (first.is(u"SELECT") || nested->isSubquery(0)) {
        status = SelectRewriter(context).renderStatement(nested->all(), touched);
        kind = touched.isEmpty() ? Translation::Kind::Query : Translation::Kind::Change;
    } else if (first.is(u"INSERT")) {
        status = ChangeRewriter(context).renderInsert();
    } else if (first.is(u"UPDATE")) {
        status = ChangeRewriter(context).renderUpdate();
    } else if (first.is(u"DELETE")) {
        status = ChangeRewriter(context).renderDelete();
    } else if (first.is(u"CREATE") || first.is(u"DROP") || first.is(u"TRUNCATE") || first.is(u"ALTER")) {
        // Definitions are stored as written: they cannot refer to parameters.
        out.setLiterals(SqlBuilder::Literals::Inline);
        status = SchemaTranslator(context).render(touched);
        kind = Translation::Kind::Schema;
    } else if (first.is(u"OPEN") || first.is(u"FETCH") || first.is(u"CLOSE") || first.is(u"DEALLOCATE")) {
        status = unsupported(QStringLiteral("cursores (%1)").arg(first.text.toUpper()));
    } else {
        status = unsupported(first.text.toUpper());
    }
    if (!status)
        return status;
    return out.finish(kind, touched);
}

} // namespace nerin::tsql
