#include "server/tsql/SelectAssignments.h"

namespace nerin::tsql {

EngineResult<Statement> splitSelectAssignments(Statement statement) {
    const TokenList& tokens = statement.tokens;
    qsizetype i = 1;
    if (i < tokens.size() && (tokens[i].is(u"DISTINCT") || tokens[i].is(u"ALL")))
        ++i;
    if (i < tokens.size() && tokens[i].is(u"TOP")) {
        ++i;
        if (i < tokens.size() && tokens[i].kind == Token::Kind::LParen) {
            int depth = 0;
            for (; i < tokens.size(); ++i) {
                if (tokens[i].kind == Token::Kind::LParen)
                    ++depth;
                else if (tokens[i].kind == Token::Kind::RParen && --depth == 0)
                    break;
            }
        }
        ++i;
    }
    const qsizetype listStart = i;
    auto isAssignmentAt = [&](qsizetype k) {
        return k + 1 < tokens.size() && tokens[k].kind == Token::Kind::Variable &&
               tokens[k + 1].isOperator(u"=");
    };
    if (!isAssignmentAt(listStart)) {
        statement.kind = Statement::Kind::Sql;
        return statement;
    }
    TokenList query = tokens.mid(0, listStart);
    qsizetype k = listStart;
    while (true) {
        if (!isAssignmentAt(k))
            return EngineError::commandText(
                QStringLiteral("Línea %1: una SELECT que asigna variables no puede devolver "
                               "columnas")
                    .arg(statement.line));
        Assignment assignment;
        assignment.variable = tokens[k].text;
        k += 2;
        int depth = 0;
        int caseDepth = 0;
        const qsizetype exprStart = k;
        for (; k < tokens.size(); ++k) {
            const Token& t = tokens[k];
            if (t.kind == Token::Kind::LParen)
                ++depth;
            else if (t.kind == Token::Kind::RParen)
                --depth;
            else if (depth == 0 && t.is(u"CASE"))
                ++caseDepth;
            else if (depth == 0 && caseDepth > 0 && t.is(u"END"))
                --caseDepth;
            else if (depth == 0 && caseDepth == 0 &&
                     (t.kind == Token::Kind::Comma || t.is(u"FROM") || t.is(u"WHERE") || t.is(u"INTO") ||
                      t.is(u"GROUP") || t.is(u"ORDER") || t.is(u"HAVING") || t.is(u"UNION")))
                break;
        }
        assignment.expression = tokens.mid(exprStart, k - exprStart);
        if (assignment.expression.isEmpty())
            return EngineError::commandText(QStringLiteral("Línea %1: falta el valor de %2")
                                                .arg(statement.line)
                                                .arg(assignment.variable));
        if (!statement.assignments.empty())
            query.append(Token{Token::Kind::Comma, QStringLiteral(","), 0, 0, statement.line});
        query.append(assignment.expression);
        statement.assignments.push_back(std::move(assignment));
        if (k < tokens.size() && tokens[k].kind == Token::Kind::Comma) {
            ++k;
            continue;
        }
        break;
    }
    query.append(tokens.mid(k));
    statement.tokens = std::move(query);
    statement.kind = Statement::Kind::SelectAssign;
    return statement;
}

} // namespace nerin::tsql
