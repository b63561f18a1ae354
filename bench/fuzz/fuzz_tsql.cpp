// Any text, read as T-SQL: the lexer, the batch parser and the statement translator must answer with
// statements or an error, never crash, hang or recurse without bound.
#include "server/tsql/Catalogue.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/Translator.h"

#include <cstdint>
#include <functional>

namespace {

// Every table has the same few columns, so that unqualified names resolve one way or another.
class FixedCatalogue : public nerin::tsql::Catalogue {
public:
    QStringList columnsOf(const QString& table) override {
        if (table.isEmpty() || table.startsWith(QStringLiteral("x")))
            return {};
        return {QStringLiteral("ID"), QStringLiteral("Nombre"), QStringLiteral("Total")};
    }
};

void translateAll(nerin::tsql::Translator& translator,
                  const std::vector<nerin::tsql::Statement>& statements) {
    for (const nerin::tsql::Statement& statement : statements) {
        if (!statement.tokens.isEmpty() && (statement.kind == nerin::tsql::Statement::Kind::Sql ||
                                            statement.kind == nerin::tsql::Statement::Kind::SelectAssign))
            (void)translator.translate(statement.tokens);
        translateAll(translator, statement.children);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto tokens = nerin::tsql::Lexer::tokenize(text);
    if (!tokens)
        return 0;
    auto statements = nerin::tsql::Parser::parseBatch(*tokens);
    if (!statements)
        return 0;
    FixedCatalogue catalogue;
    nerin::tsql::Translator translator(catalogue);
    translateAll(translator, *statements);
    return 0;
}
