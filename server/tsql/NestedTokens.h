#pragma once

#include "server/tsql/EngineResult.h"
#include "server/tsql/Token.h"

#include <QList>

namespace nerin::tsql {

// A run of tokens [begin, end) of one statement.
struct TokenRange {
    int begin = 0;
    int end = 0;

    bool isEmpty() const { return begin >= end; }
    int size() const { return end - begin; }
};

// The tokens of one statement with their nesting worked out once: each "(" knows its ")" and each
// CASE its END, so every rewrite can step over a whole group in one move and "at the top level" means
// outside any group. Nesting deeper than kMaxDepth is refused, which bounds every recursion over it.
class NestedTokens {
public:
    static constexpr int kMaxDepth = 200;

    // The first `count` tokens of `tokens`, which must outlive the result.
    static EngineResult<NestedTokens> build(const TokenList& tokens, int count);

    int size() const { return m_count; }
    TokenRange all() const { return {0, m_count}; }
    const Token& operator[](int i) const { return m_tokens->at(i); }
    const TokenList& list() const { return *m_tokens; }

    // Bounds-checked tests, false outside the statement.
    bool is(int i, QStringView keyword) const { return i >= 0 && i < m_count && at(i).is(keyword); }
    bool isKind(int i, Token::Kind kind) const { return i >= 0 && i < m_count && at(i).kind == kind; }
    bool isOperator(int i, QStringView op) const { return i >= 0 && i < m_count && at(i).isOperator(op); }
    bool isName(int i) const { return i >= 0 && i < m_count && at(i).isName(); }
    // A plain word that is not a T-SQL reserved word, or a quoted name.
    bool isPlainName(int i) const;

    // The matching ")" of a "(" or END of a CASE; -1 for any other token.
    int partner(int i) const { return m_partner[i]; }
    // Just after the group or CASE block that starts at `i`, or i + 1.
    int next(int i) const { return m_partner[i] > i ? m_partner[i] + 1 : i + 1; }
    // What lies between the parentheses of the group starting at `i`.
    TokenRange inside(int i) const { return {i + 1, m_partner[i]}; }
    // Whether the group starting at `i` holds a query.
    bool isSubquery(int i) const { return isKind(i, Token::Kind::LParen) && is(i + 1, u"SELECT"); }

    // The first top-level occurrence of `keyword` in `range`, or range.end.
    int find(TokenRange range, QStringView keyword) const;
    // `range` cut at its top-level tokens of `separator` kind (commas), which are left out.
    QList<TokenRange> split(TokenRange range, Token::Kind separator = Token::Kind::Comma) const;

private:
    NestedTokens(const TokenList& tokens, int count) : m_tokens(&tokens), m_count(count) {}
    const Token& at(int i) const { return m_tokens->at(i); }

    const TokenList* m_tokens;
    int m_count;
    QList<int> m_partner;
};

} // namespace nerin::tsql
