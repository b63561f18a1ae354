#include "server/tsql/ExpressionRewriter.h"

#include "server/tsql/FunctionCallRewriter.h"
#include "server/tsql/FunctionMap.h"
#include "server/tsql/Keywords.h"
#include "server/tsql/ObjectName.h"
#include "server/tsql/OperandKind.h"
#include "server/tsql/SelectRewriter.h"

namespace nerin::tsql {

namespace {

bool isUnaryOperator(const Token& t) {
    return t.isOperator(u"-") || t.isOperator(u"+") || t.isOperator(u"~");
}
bool isMultiplicative(const Token& t) {
    return t.isOperator(u"*") || t.isOperator(u"/") || t.isOperator(u"%");
}
// The operators of T-SQL's additive level: "+", "-" and the bitwise ones, all left-associative.
bool isAdditive(const Token& t) {
    return t.isOperator(u"+") || t.isOperator(u"-") || t.isOperator(u"&") || t.isOperator(u"|") ||
           t.isOperator(u"^");
}

// Reserved words that T-SQL calls like functions but the translator does not support.
bool isUnsupportedFunctionWord(const Token& t) {
    for (const char16_t* word : {u"CONTAINS", u"FREETEXT", u"CONTAINSTABLE", u"FREETEXTTABLE", u"OPENQUERY",
                                 u"OPENROWSET", u"OPENDATASOURCE", u"OPENXML", u"TSEQUAL", u"IDENTITY",
                                 u"UPDATE", u"USER", u"SESSION_USER", u"SYSTEM_USER", u"CURRENT_USER"}) {
        if (t.is(word))
            return true;
    }
    return false;
}

bool isComparison(const Token& t) {
    for (const char16_t* op : {u"=", u"<>", u"!=", u"<", u">", u"<=", u">=", u"!<", u"!>"}) {
        if (t.isOperator(op))
            return true;
    }
    return false;
}

} // namespace

bool ExpressionRewriter::endsOperand(int i) const {
    if (i < 0 || i >= m_t.size())
        return false;
    const Token& t = m_t[i];
    switch (t.kind) {
    case Token::Kind::QuotedName:
    case Token::Kind::Variable:
    case Token::Kind::String:
    case Token::Kind::Number:
    case Token::Kind::RParen:
        return true;
    case Token::Kind::Word:
        return !Keywords::isReserved(t.text) || t.is(u"END") || t.is(u"NULL") || t.is(u"CURRENT_TIMESTAMP");
    default:
        return false;
    }
}

// Just after the operand starting at `i` (a name, literal, variable, call, group, CASE block or a
// lone "*"), or -1 when no operand starts there.
int ExpressionRewriter::primaryEnd(int i, int end) const {
    if (i >= end)
        return -1;
    const Token& t = m_t[i];
    switch (t.kind) {
    case Token::Kind::Variable:
    case Token::Kind::String:
    case Token::Kind::Number:
        return i + 1;
    case Token::Kind::LParen:
        return m_t.next(i);
    case Token::Kind::Operator:
        return t.isOperator(u"*") ? i + 1 : -1;
    case Token::Kind::Word:
        if (Keywords::isReserved(t.text)) {
            if (t.is(u"CASE"))
                return m_t.next(i);
            if (t.is(u"NULL") || t.is(u"CURRENT_TIMESTAMP"))
                return i + 1;
            if (m_t.isKind(i + 1, Token::Kind::LParen) &&
                (FunctionMap::find(t.text) || isUnsupportedFunctionWord(t)))
                return m_t.next(i + 1);
            return -1;
        }
        [[fallthrough]];
    case Token::Kind::QuotedName: {
        int j = i + 1;
        while (m_t.isKind(j, Token::Kind::Dot) && j + 1 < end) {
            if (m_t.isOperator(j + 1, u"*"))
                return j + 2;
            if (!m_t.isName(j + 1))
                break;
            j += 2;
        }
        if (m_t.isKind(j, Token::Kind::LParen) && j < end)
            return m_t.next(j);
        return j;
    }
    default:
        return -1;
    }
}

// Just after the operand with its unary signs and "*", "/", "%" factors, or -1.
int ExpressionRewriter::termEnd(int i, int end) const {
    while (true) {
        while (i < end && isUnaryOperator(m_t[i]))
            ++i;
        const int p = primaryEnd(i, end);
        if (p < 0)
            return -1;
        i = p;
        if (i + 1 < end && isMultiplicative(m_t[i]) && primaryEnd(i + 1, end) >= 0) {
            ++i;
            continue;
        }
        if (i + 2 < end && isMultiplicative(m_t[i]) && isUnaryOperator(m_t[i + 1])) {
            ++i;
            continue;
        }
        return i;
    }
}

// Just after the run of terms joined by additive operators that starts at `i`, or -1.
int ExpressionRewriter::chainEnd(int i, int end) const {
    int j = termEnd(i, end);
    while (j >= 0 && j < end && isAdditive(m_t[j])) {
        const int next = termEnd(j + 1, end);
        if (next < 0)
            break;
        j = next;
    }
    return j;
}

// Whether `chain` is one column, as in "Nombre", "p.Nombre" or "[Orden Detalle].x".
bool ExpressionRewriter::isPlainColumn(TokenRange chain) const {
    const Token& t = m_t[chain.begin];
    if (!t.isName() || (t.isWord() && Keywords::isReserved(t.text)))
        return false;
    return primaryEnd(chain.begin, chain.end) == chain.end && !m_t.isKind(chain.end - 1, Token::Kind::RParen);
}

// Whether the value of `chain` is compared by what follows it (a comparison, IN, or the WHEN of
// "CASE chain WHEN") with no column on either side. The database compares text without regard to
// case; a column brings that collation along, but a literal, a variable or a function's result has
// none of its own in SQLite, so the comparison is given it.
bool ExpressionRewriter::comparesAsText(TokenRange chain, TokenRange range) const {
    const int j = chain.end;
    if (j >= range.end || isPlainColumn(chain))
        return false;
    const Token& next = m_t[j];
    if (isComparison(next)) {
        const int other = chainEnd(j + 1, range.end);
        return other < 0 || !isPlainColumn({j + 1, other});
    }
    if (next.is(u"IN") || (next.is(u"NOT") && m_t.is(j + 1, u"IN")))
        return true;
    return next.is(u"WHEN") && chain.begin == range.begin && range.begin > 0 &&
           m_t.is(range.begin - 1, u"CASE");
}

EngineStatus ExpressionRewriter::render(TokenRange range) {
    QList<TokenRange> terms;
    QList<int> operators;
    bool pattern = false;     // the chain at i is the pattern of a LIKE
    bool collateNext = false; // the chain at i is compared with one that needed a collation
    int i = range.begin;
    while (i < range.end) {
        const int first = termEnd(i, range.end);
        if (first < 0) {
            auto after = renderOther(i, range.end);
            if (!after)
                return after.status();
            i = *after;
            pattern = false;
            continue;
        }
        terms.clear();
        terms.append({i, first});
        operators.clear();
        int j = first;
        while (j < range.end && isAdditive(m_t[j])) {
            const int next = termEnd(j + 1, range.end);
            if (next < 0)
                break;
            operators.append(j);
            terms.append({j + 1, next});
            j = next;
        }
        if (pattern && !m_c.dialect.like().characterClasses && j == i + 1 &&
            m_t[i].kind == Token::Kind::String && m_t[i].text.contains(u'[')) {
            return unsupported(QStringLiteral("clases de caracteres [...] en LIKE"));
        }
        if (EngineStatus s = renderChain(terms, operators); !s)
            return s;
        // Whether the chain took the collation: only a text does where the target says so.
        auto collate = [&] {
            if (!m_c.dialect.collatesAnyValue() && !OperandKind::isText(m_t, terms, operators))
                return false;
            m_out.word(m_c.dialect.collation(false));
            return true;
        };
        if (pattern) {
            if (!m_t.is(j, u"ESCAPE"))
                m_out.word(m_c.dialect.like().noEscape);
        } else if (collateNext) {
            collate();
        } else if (comparesAsText({i, j}, range)) {
            collateNext = !collate();
            i = j;
            continue;
        }
        collateNext = false;
        i = j;
        pattern = renderLike(i, range.end);
    }
    return EngineStatus::ok();
}

// Writes the LIKE or NOT LIKE at `i` after its left operand, if there is one there, moving `i` past
// it; true when it did, so that the pattern comes next.
bool ExpressionRewriter::renderLike(int& i, int end) {
    const bool negated = m_t.is(i, u"NOT") && m_t.is(i + 1, u"LIKE") && i + 1 < end;
    if (!negated && !(m_t.is(i, u"LIKE") && i < end))
        return false;
    const Dialect::LikeText like = m_c.dialect.like();
    m_out.word(like.collation);
    m_out.word(negated ? like.notLike : like.like);
    i += negated ? 2 : 1;
    return true;
}

// Writes `terms` joined by additive `operators`, left to right. "+" becomes a call of the dialect's
// Add function and "-" with a date on either side one of its SubtractDates function; the calls wrap
// everything to their left, so their openings are written first, outermost (the last operator's) first.
EngineStatus ExpressionRewriter::renderChain(const QList<TokenRange>& terms, const QList<int>& operators) {
    enum class Style { Add, Subtract, Native, NativeAfterBitwise };
    QList<Style> styles;
    styles.reserve(operators.size());
    bool leftIsDate = !operators.isEmpty() && OperandKind::isDate(m_t, terms[0]);
    bool leftIsBitwise = false;
    for (qsizetype k = 0; k < operators.size(); ++k) {
        const Token& op = m_t[operators[k]];
        const bool rightIsDate = OperandKind::isDate(m_t, terms[k + 1]);
        if (op.isOperator(u"^"))
            return unsupported(QStringLiteral("el operador ^"));
        if (op.isOperator(u"+")) {
            styles.append(Style::Add);
            leftIsDate = leftIsDate || rightIsDate;
        } else if (op.isOperator(u"-") && (leftIsDate || rightIsDate)) {
            styles.append(Style::Subtract);
            leftIsDate = true;
        } else {
            // SQLite puts "&" and "|" below "-": "a & b - c" needs (a & b) to keep T-SQL's order.
            styles.append(leftIsBitwise && op.isOperator(u"-") ? Style::NativeAfterBitwise : Style::Native);
            leftIsDate = false;
        }
        leftIsBitwise = op.isOperator(u"&") || op.isOperator(u"|");
    }
    auto operationOf = [&](qsizetype k) {
        return m_c.dialect.operation(styles[k] == Style::Add ? Dialect::Operation::Add
                                                             : Dialect::Operation::SubtractDates);
    };
    for (qsizetype k = styles.size() - 1; k >= 0; --k) {
        if (styles[k] == Style::Add || styles[k] == Style::Subtract) {
            m_out.word(operationOf(k).open);
        } else if (styles[k] == Style::NativeAfterBitwise) {
            m_out.word(u"(");
        }
    }
    if (EngineStatus s = renderTerm(terms[0]); !s)
        return s;
    for (qsizetype k = 0; k < styles.size(); ++k) {
        const bool dialectOperation = styles[k] == Style::Add || styles[k] == Style::Subtract;
        if (dialectOperation) {
            m_out.punctuation(operationOf(k).separator);
        } else {
            if (styles[k] == Style::NativeAfterBitwise)
                m_out.glue(u")");
            m_out.word(m_t[operators[k]].text);
        }
        if (EngineStatus s = renderTerm(terms[k + 1]); !s)
            return s;
        if (dialectOperation)
            m_out.punctuation(operationOf(k).close);
    }
    return EngineStatus::ok();
}

EngineStatus ExpressionRewriter::renderTerm(TokenRange term) {
    bool expectOperand = true;
    int i = term.begin;
    while (i < term.end) {
        const Token& t = m_t[i];
        if (!expectOperand || isUnaryOperator(t)) {
            m_out.word(t.text);
            expectOperand = true;
            ++i;
            continue;
        }
        const int end = primaryEnd(i, term.end);
        if (EngineStatus s = renderPrimary(i, end); !s)
            return s;
        expectOperand = false;
        i = end;
    }
    return EngineStatus::ok();
}

EngineStatus ExpressionRewriter::renderPrimary(int i, int end) {
    const Token& t = m_t[i];
    switch (t.kind) {
    case Token::Kind::Variable:
        return renderVariable(t);
    case Token::Kind::String:
    case Token::Kind::Number:
        m_out.literal(i);
        return EngineStatus::ok();
    case Token::Kind::LParen: {
        m_out.word(u"(");
        EngineStatus s =
            m_t.isSubquery(i) ? SelectRewriter(m_c).renderQuery(m_t.inside(i)) : render(m_t.inside(i));
        m_out.glue(u")");
        return s;
    }
    case Token::Kind::Operator:
        m_out.word(u"*");
        return EngineStatus::ok();
    default:
        break;
    }
    if (t.is(u"CASE")) {
        m_out.word(u"CASE");
        EngineStatus s = render({i + 1, m_t.partner(i)});
        m_out.word(u"END");
        return s;
    }
    if (t.is(u"NULL")) {
        m_out.word(u"NULL");
        return EngineStatus::ok();
    }
    if (t.is(u"CURRENT_TIMESTAMP")) {
        m_out.word(m_c.dialect.functionName(*FunctionMap::find(u"GETDATE")));
        m_out.glue(u"()");
        return EngineStatus::ok();
    }
    if (m_t.isKind(end - 1, Token::Kind::RParen)) {
        const int group = m_t.partner(end - 1);
        if (group == i + 1)
            return FunctionCallRewriter(m_c).render(i, group);
        QStringList parts;
        for (int k = i; k < group; ++k)
            parts.append(m_t[k].text);
        return FunctionCallRewriter::unsupportedFunction(parts.join(QString()));
    }
    auto name = ObjectName::read(m_t, i, ObjectName::Role::Column);
    if (!name)
        return name.status();
    name->render(m_out);
    return EngineStatus::ok();
}

EngineResult<int> ExpressionRewriter::renderOther(int i, int end) {
    const Token& t = m_t[i];
    switch (t.kind) {
    case Token::Kind::Comma:
        m_out.glue(u",");
        return i + 1;
    case Token::Kind::Dot:
        m_out.glue(u".");
        return i + 1;
    case Token::Kind::RParen:
        m_out.glue(u")");
        return i + 1;
    case Token::Kind::Operator:
        if (t.isOperator(u"!<")) {
            m_out.word(u">=");
        } else if (t.isOperator(u"!>")) {
            m_out.word(u"<=");
        } else if (t.isOperator(u"*=") || t.isOperator(u"=*")) {
            return unsupported(
                QStringLiteral("%1 fuera del WHERE de una consulta con tablas separadas por comas")
                    .arg(t.text));
        } else if (t.isOperator(u"^")) {
            return unsupported(QStringLiteral("el operador ^"));
        } else {
            m_out.word(t.text);
        }
        return i + 1;
    default:
        break;
    }
    if (t.is(u"AS") && m_t.isKind(i + 1, Token::Kind::String) && i + 1 < end) {
        m_out.word(u"AS");
        m_out.quotedName(m_t[i + 1].text);
        m_out.recordInlined(i + 1);
        return i + 2;
    }
    if (t.is(u"COLLATE"))
        return unsupported(QStringLiteral("COLLATE"));
    // SQLite would read these as its own values (a UTC date, for one) instead of refusing them.
    for (const char16_t* word :
         {u"CURRENT_DATE", u"CURRENT_TIME", u"CURRENT_USER", u"SESSION_USER", u"SYSTEM_USER", u"USER"}) {
        if (t.is(word))
            return unsupported(t.text.toUpper());
    }
    if (t.is(u"OVER"))
        return unsupported(QStringLiteral("OVER (funciones de ventana)"));
    if ((t.is(u"ANY") || t.is(u"SOME") || t.is(u"ALL")) && m_t.isSubquery(i + 1))
        return unsupported(t.text.toUpper() + QStringLiteral(" (subconsulta)"));
    if (t.is(u"SELECT"))
        return malformed(QStringLiteral("Subconsulta sin paréntesis"));
    m_out.word(t.text);
    return i + 1;
}

EngineStatus ExpressionRewriter::renderVariable(const Token& token) {
    const QString& text = token.text;
    if (text.startsWith(QStringLiteral("@@"))) {
        const QString system = text.mid(2).toUpper();
        if (system == u"IDENTITY") {
            m_out.word(m_c.dialect.lastIdentity());
            return EngineStatus::ok();
        }
        if (system == u"ERROR") {
            m_out.word(u"0");
            return EngineStatus::ok();
        }
        if (system != u"ROWCOUNT" && system != u"TRANCOUNT")
            return unsupported(text.toUpper());
    }
    if (m_out.literals() == SqlBuilder::Literals::Inline)
        return malformed(QStringLiteral("No se pueden usar variables en una definición: %1").arg(text));
    if (text.startsWith(QStringLiteral("@@"))) {
        m_out.variable(QStringLiteral("@__") + text.mid(2).toLower());
        return EngineStatus::ok();
    }
    for (qsizetype k = 1; k < text.size(); ++k) {
        const QChar c = text[k];
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'$'))
            return unsupported(QStringLiteral("el nombre de variable %1").arg(text));
    }
    m_out.variable(text.toLower());
    return EngineStatus::ok();
}

} // namespace nerin::tsql
