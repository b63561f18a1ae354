#include "server/tsql/Parser.h"

#include "server/tsql/SelectAssignments.h"
#include "server/tsql/StatementBoundary.h"

namespace nerin::tsql {

namespace {

constexpr int kMaxNesting = StatementBoundary::kMaxNesting;

class BatchParser {
public:
    explicit BatchParser(const TokenList& tokens) : m_tokens(tokens) {}

    EngineResult<std::vector<Statement>> run() {
        std::vector<Statement> statements;
        skipSemicolons();
        if (!atEnd() && m_tokens[m_pos].isName() && !StatementBoundary::startsStatement(m_tokens[m_pos])) {
            auto call = parseCall(m_pos);
            if (!call)
                return call.status();
            statements.push_back(std::move(*call));
        }
        while (true) {
            skipSemicolons();
            if (atEnd())
                break;
            auto statement = parseStatement();
            if (!statement)
                return statement.status();
            statements.push_back(std::move(*statement));
        }
        return statements;
    }

private:
    bool atEnd() const { return m_pos >= m_tokens.size(); }
    const Token& current() const { return m_tokens[m_pos]; }
    bool peekIs(qsizetype offset, QStringView keyword) const {
        return m_pos + offset < m_tokens.size() && m_tokens[m_pos + offset].is(keyword);
    }
    int line() const { return atEnd() ? (m_tokens.isEmpty() ? 1 : m_tokens.last().line) : current().line; }

    EngineStatus error(const QString& what) const {
        return EngineError::commandText(QStringLiteral("Línea %1: %2").arg(line()).arg(what));
    }
    EngineStatus unsupported(const QString& what) const {
        return error(QStringLiteral("No soportado: ") + what);
    }

    void skipSemicolons() {
        while (!atEnd() && current().kind == Token::Kind::Semicolon)
            ++m_pos;
    }

    TokenList slice(qsizetype from, qsizetype to) const { return m_tokens.mid(from, to - from); }

    EngineResult<qsizetype> statementEnd(qsizetype from, const QString& kind) const {
        return StatementBoundary::end(m_tokens, from, kind);
    }

    EngineResult<Statement> parseStatement() {
        if (++m_nesting > kMaxNesting)
            return error(QStringLiteral("demasiados bloques anidados"));
        auto result = parseStatementInner();
        --m_nesting;
        return result;
    }

    EngineResult<Statement> parseStatementInner() {
        const Token& first = current();
        if (!first.isWord())
            return error(QStringLiteral("se esperaba una instrucción y se encontró \"%1\"").arg(first.text));
        const QString word = first.text.toUpper();
        Statement statement;
        statement.line = first.line;

        if (word == QStringLiteral("SELECT") || word == QStringLiteral("INSERT") ||
            word == QStringLiteral("UPDATE") || word == QStringLiteral("DELETE") ||
            word == QStringLiteral("TRUNCATE") || word == QStringLiteral("ALTER"))
            return parseSql(word);
        if (word == QStringLiteral("CREATE")) {
            if (peekIs(1, u"PROC") || peekIs(1, u"PROCEDURE"))
                return parseCreateProcedure();
            return parseSql(word);
        }
        if (word == QStringLiteral("DROP")) {
            if (peekIs(1, u"PROC") || peekIs(1, u"PROCEDURE")) {
                m_pos += 2;
                if (atEnd() || !current().isName())
                    return error(QStringLiteral("falta el nombre del procedimiento"));
                statement.kind = Statement::Kind::DropProcedure;
                statement.name = qualifiedName();
                return statement;
            }
            return parseSql(word);
        }
        if (word == QStringLiteral("BEGIN")) {
            if (peekIs(1, u"TRAN") || peekIs(1, u"TRANSACTION")) {
                m_pos += 2;
                skipTransactionName();
                statement.kind = Statement::Kind::BeginTran;
                return statement;
            }
            if (peekIs(1, u"TRY") || peekIs(1, u"CATCH") || peekIs(1, u"DISTRIBUTED"))
                return unsupported(QStringLiteral("BEGIN ") + m_tokens[m_pos + 1].text.toUpper());
            return parseBlock();
        }
        if (word == QStringLiteral("COMMIT") || word == QStringLiteral("ROLLBACK")) {
            ++m_pos;
            if (peekIs(0, u"TRAN") || peekIs(0, u"TRANSACTION") || peekIs(0, u"WORK"))
                ++m_pos;
            skipTransactionName();
            statement.kind = word == QStringLiteral("COMMIT") ? Statement::Kind::CommitTran
                                                              : Statement::Kind::RollbackTran;
            return statement;
        }
        if (word == QStringLiteral("IF") || word == QStringLiteral("WHILE"))
            return parseConditional(word == QStringLiteral("IF"));
        if (word == QStringLiteral("DECLARE"))
            return parseDeclare();
        if (word == QStringLiteral("SET"))
            return parseSet();
        if (word == QStringLiteral("EXEC") || word == QStringLiteral("EXECUTE"))
            return parseExec();
        if (word == QStringLiteral("RETURN") || word == QStringLiteral("PRINT") ||
            word == QStringLiteral("RAISERROR"))
            return parseValueStatement(word);
        if (word == QStringLiteral("BREAK") || word == QStringLiteral("CONTINUE")) {
            ++m_pos;
            statement.kind =
                word == QStringLiteral("BREAK") ? Statement::Kind::Break : Statement::Kind::Continue;
            return statement;
        }
        if (word == QStringLiteral("ELSE"))
            return error(QStringLiteral("ELSE sin IF"));
        if (word == QStringLiteral("END"))
            return error(QStringLiteral("END sin BEGIN"));
        if (word == QStringLiteral("GOTO") || word == QStringLiteral("USE") ||
            word == QStringLiteral("SAVE") || word == QStringLiteral("WITH") ||
            word == QStringLiteral("MERGE") || word == QStringLiteral("OPEN") ||
            word == QStringLiteral("FETCH") || word == QStringLiteral("CLOSE") ||
            word == QStringLiteral("DEALLOCATE"))
            return unsupported(word);
        return error(QStringLiteral("instrucción no reconocida \"%1\"").arg(first.text));
    }

    void skipTransactionName() {
        if (!atEnd() && (current().isName() || current().kind == Token::Kind::Variable) &&
            !StatementBoundary::startsStatement(current()))
            ++m_pos;
    }

    QString qualifiedName() {
        QString name = current().text;
        ++m_pos;
        // "dbo.Name": the schema is the only one there is.
        while (!atEnd() && current().kind == Token::Kind::Dot && m_pos + 1 < m_tokens.size() &&
               m_tokens[m_pos + 1].isName()) {
            name = m_tokens[m_pos + 1].text;
            m_pos += 2;
        }
        return name;
    }

    EngineResult<Statement> parseSql(const QString& word) {
        const qsizetype start = m_pos;
        auto end = statementEnd(start, word);
        if (!end)
            return end.status();
        Statement statement;
        statement.line = m_tokens[start].line;
        statement.tokens = slice(start, *end);
        m_pos = *end;
        if (word == QStringLiteral("SELECT"))
            return splitSelectAssignments(std::move(statement));
        statement.kind = Statement::Kind::Sql;
        return statement;
    }

    EngineResult<Statement> parseBlock() {
        Statement block;
        block.kind = Statement::Kind::Block;
        block.line = current().line;
        ++m_pos; // BEGIN
        while (true) {
            skipSemicolons();
            if (atEnd())
                return error(QStringLiteral("falta el END de un BEGIN"));
            if (current().is(u"END")) {
                ++m_pos;
                return block;
            }
            auto child = parseStatement();
            if (!child)
                return child.status();
            block.children.push_back(std::move(*child));
        }
    }

    EngineResult<Statement> parseConditional(bool isIf) {
        Statement statement;
        statement.kind = isIf ? Statement::Kind::If : Statement::Kind::While;
        statement.line = current().line;
        ++m_pos;
        auto end = statementEnd(m_pos, QString());
        if (!end)
            return end.status();
        if (*end == m_pos || *end >= m_tokens.size())
            return error(isIf ? QStringLiteral("IF sin condición o sin instrucción")
                              : QStringLiteral("WHILE sin condición o sin instrucción"));
        statement.tokens = slice(m_pos, *end);
        m_pos = *end;
        skipSemicolons();
        if (atEnd())
            return error(QStringLiteral("falta la instrucción del %1").arg(isIf ? u"IF" : u"WHILE"));
        auto body = parseStatement();
        if (!body)
            return body.status();
        statement.children.push_back(std::move(*body));
        if (isIf) {
            skipSemicolons();
            if (!atEnd() && current().is(u"ELSE")) {
                ++m_pos;
                skipSemicolons();
                if (atEnd())
                    return error(QStringLiteral("falta la instrucción del ELSE"));
                auto otherwise = parseStatement();
                if (!otherwise)
                    return otherwise.status();
                statement.children.push_back(std::move(*otherwise));
            }
        }
        return statement;
    }

    // A type as written: a name, and its length or precision in parentheses.
    EngineResult<QString> parseType() {
        if (atEnd() || !current().isName())
            return error(QStringLiteral("falta el tipo de dato"));
        QString type = current().text;
        ++m_pos;
        if (type.compare(QStringLiteral("TABLE"), Qt::CaseInsensitive) == 0 ||
            type.compare(QStringLiteral("CURSOR"), Qt::CaseInsensitive) == 0)
            return unsupported(QStringLiteral("variables de tipo ") + type.toUpper());
        if (!atEnd() && current().kind == Token::Kind::LParen) {
            type += u'(';
            ++m_pos;
            while (!atEnd() && current().kind != Token::Kind::RParen) {
                type += current().text;
                ++m_pos;
            }
            if (atEnd())
                return error(QStringLiteral("falta cerrar el tipo de dato"));
            type += u')';
            ++m_pos;
        }
        return type;
    }

    // The expression after "=" in a declaration or parameter: up to a comma at the outer level, the
    // end of the statement, or (for parameters) OUTPUT / AS.
    EngineResult<TokenList> parseInitializer(bool stopAtOutput) {
        const qsizetype start = m_pos;
        auto end = statementEnd(start, QString());
        if (!end)
            return end.status();
        int depth = 0;
        qsizetype k = start;
        for (; k < *end; ++k) {
            const Token& t = m_tokens[k];
            if (t.kind == Token::Kind::LParen)
                ++depth;
            else if (t.kind == Token::Kind::RParen)
                --depth;
            else if (depth == 0 && (t.kind == Token::Kind::Comma ||
                                    (stopAtOutput && (t.is(u"OUTPUT") || t.is(u"OUT") || t.is(u"AS")))))
                break;
        }
        m_pos = k;
        if (k == start)
            return error(QStringLiteral("falta el valor después de \"=\""));
        return slice(start, k);
    }

    // `@name [AS] type [= value]`, and for a procedure parameter a trailing OUTPUT.
    EngineResult<VariableDeclaration> parseDeclaration(bool isParameter) {
        VariableDeclaration declaration;
        declaration.name = current().text;
        ++m_pos;
        if (!atEnd() && current().is(u"AS"))
            ++m_pos;
        auto type = parseType();
        if (!type)
            return type.status();
        declaration.type = *type;
        if (!atEnd() && current().isOperator(u"=")) {
            ++m_pos;
            auto initializer = parseInitializer(isParameter);
            if (!initializer)
                return initializer.status();
            declaration.initializer = std::move(*initializer);
        }
        if (isParameter && !atEnd() && (current().is(u"OUTPUT") || current().is(u"OUT"))) {
            declaration.output = true;
            ++m_pos;
        }
        return declaration;
    }

    EngineResult<Statement> parseDeclare() {
        Statement statement;
        statement.kind = Statement::Kind::Declare;
        statement.line = current().line;
        ++m_pos;
        while (true) {
            if (atEnd() || current().kind != Token::Kind::Variable)
                return error(QStringLiteral("DECLARE espera el nombre de una variable"));
            auto declaration = parseDeclaration(false);
            if (!declaration)
                return declaration.status();
            statement.declarations.push_back(std::move(*declaration));
            if (!atEnd() && current().kind == Token::Kind::Comma) {
                ++m_pos;
                continue;
            }
            return statement;
        }
    }

    EngineResult<Statement> parseSet() {
        Statement statement;
        statement.line = current().line;
        ++m_pos;
        if (atEnd())
            return error(QStringLiteral("SET incompleto"));
        if (current().kind != Token::Kind::Variable) {
            // Session options (NOCOUNT, DATEFORMAT, ANSI_NULLS...) change nothing here. XACT_ABORT ON
            // is how every call already runs: a failing statement ends the call and undoes it.
            auto end = statementEnd(m_pos, QString());
            if (!end)
                return end.status();
            m_pos = *end;
            statement.kind = Statement::Kind::Nothing;
            return statement;
        }
        Assignment assignment;
        assignment.variable = current().text;
        ++m_pos;
        if (atEnd() || !current().isOperator(u"="))
            return error(QStringLiteral("SET %1 espera \"=\"").arg(assignment.variable));
        ++m_pos;
        auto end = statementEnd(m_pos, QString());
        if (!end)
            return end.status();
        if (*end == m_pos)
            return error(QStringLiteral("falta el valor de %1").arg(assignment.variable));
        assignment.expression = slice(m_pos, *end);
        m_pos = *end;
        statement.kind = Statement::Kind::Set;
        statement.assignments.push_back(std::move(assignment));
        return statement;
    }

    EngineResult<Statement> parseExec() {
        ++m_pos;
        if (atEnd())
            return error(QStringLiteral("EXEC sin procedimiento"));
        if (current().kind == Token::Kind::LParen)
            return unsupported(QStringLiteral("EXEC de texto dinámico"));
        QString result;
        if (current().kind == Token::Kind::Variable && peekIsOperator(1, u"=")) {
            result = current().text;
            m_pos += 2;
        }
        auto call = parseCall(m_pos);
        if (!call)
            return call;
        call->variable = result;
        return call;
    }

    bool peekIsOperator(qsizetype offset, QStringView op) const {
        return m_pos + offset < m_tokens.size() && m_tokens[m_pos + offset].isOperator(op);
    }

    // `name arg, arg, ...` up to the end of the statement.
    EngineResult<Statement> parseCall(qsizetype at) {
        m_pos = at;
        if (atEnd() || !current().isName())
            return error(QStringLiteral("falta el nombre del procedimiento"));
        Statement statement;
        statement.kind = Statement::Kind::Exec;
        statement.line = current().line;
        statement.name = qualifiedName();
        auto end = statementEnd(m_pos, QString());
        if (!end)
            return end.status();
        while (m_pos < *end) {
            CallArgument argument;
            if (current().kind == Token::Kind::Variable && peekIsOperator(1, u"=")) {
                argument.parameter = current().text;
                m_pos += 2;
            }
            const qsizetype start = m_pos;
            while (m_pos < *end && current().kind != Token::Kind::Comma && !current().is(u"OUTPUT") &&
                   !current().is(u"OUT"))
                ++m_pos;
            argument.value = slice(start, m_pos);
            if (argument.value.isEmpty())
                return error(QStringLiteral("falta un argumento de %1").arg(statement.name));
            if (m_pos < *end && (current().is(u"OUTPUT") || current().is(u"OUT"))) {
                argument.output = true;
                ++m_pos;
            }
            statement.arguments.push_back(std::move(argument));
            if (m_pos < *end) {
                if (current().kind != Token::Kind::Comma)
                    return error(
                        QStringLiteral("se esperaba \",\" entre los argumentos de %1").arg(statement.name));
                ++m_pos;
                if (m_pos >= *end)
                    return error(QStringLiteral("falta un argumento de %1").arg(statement.name));
            }
        }
        return statement;
    }

    EngineResult<Statement> parseValueStatement(const QString& word) {
        Statement statement;
        statement.line = current().line;
        statement.kind = word == QStringLiteral("RETURN")  ? Statement::Kind::Return
                         : word == QStringLiteral("PRINT") ? Statement::Kind::Print
                                                           : Statement::Kind::Raiserror;
        ++m_pos;
        auto end = statementEnd(m_pos, QString());
        if (!end)
            return end.status();
        statement.tokens = slice(m_pos, *end);
        m_pos = *end;
        if (statement.kind != Statement::Kind::Return && statement.tokens.isEmpty())
            return error(word + QStringLiteral(" sin valor"));
        return statement;
    }

    // CREATE PROC[EDURE] name [(] @p type [= default] [OUTPUT], ... [)] AS body: the rest of the batch.
    EngineResult<Statement> parseCreateProcedure() {
        Statement statement;
        statement.kind = Statement::Kind::CreateProcedure;
        statement.line = current().line;
        const qsizetype sourceStart = m_tokens[m_pos].offset;
        m_pos += 2;
        if (atEnd() || !current().isName())
            return error(QStringLiteral("falta el nombre del procedimiento"));
        statement.name = qualifiedName();
        bool parenthesised = false;
        if (!atEnd() && current().kind == Token::Kind::LParen) {
            parenthesised = true;
            ++m_pos;
        }
        while (!atEnd() && current().kind == Token::Kind::Variable) {
            auto parameter = parseDeclaration(true);
            if (!parameter)
                return parameter.status();
            statement.declarations.push_back(std::move(*parameter));
            if (!atEnd() && current().kind == Token::Kind::Comma)
                ++m_pos;
        }
        if (parenthesised) {
            if (atEnd() || current().kind != Token::Kind::RParen)
                return error(QStringLiteral("falta cerrar los parámetros de %1").arg(statement.name));
            ++m_pos;
        }
        if (!atEnd() && current().is(u"WITH"))
            return unsupported(QStringLiteral("opciones WITH de un procedimiento"));
        if (atEnd() || !current().is(u"AS"))
            return error(QStringLiteral("falta AS en el procedimiento %1").arg(statement.name));
        ++m_pos;
        while (true) {
            skipSemicolons();
            if (atEnd())
                break;
            auto child = parseStatement();
            if (!child)
                return child.status();
            statement.children.push_back(std::move(*child));
        }
        statement.sourceOffset = sourceStart;
        return statement;
    }

    const TokenList& m_tokens;
    qsizetype m_pos = 0;
    int m_nesting = 0;
};

} // namespace

EngineResult<std::vector<Statement>> Parser::parseBatch(const TokenList& tokens) {
    return BatchParser(tokens).run();
}

} // namespace nerin::tsql
