#include "server/tsql/Interpreter.h"

#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/SqliteValues.h"

namespace nerin::tsql {

namespace {

constexpr int kMaxProcedureDepth = 32;
constexpr qint64 kMaxLoopRounds = 10'000'000;

Token word(const QString& text, int line = 1) {
    return Token{Token::Kind::Word, text, 0, 0, line};
}

TokenList selectOf(const TokenList& expression) {
    TokenList tokens;
    tokens.reserve(expression.size() + 1);
    tokens.append(word(QStringLiteral("SELECT"), expression.isEmpty() ? 1 : expression.first().line));
    tokens.append(expression);
    return tokens;
}

EngineError atLine(EngineError error, int line) {
    if (!error.message.startsWith(QStringLiteral("Línea ")))
        error.message = QStringLiteral("Línea %1: %2").arg(line).arg(error.message);
    return error;
}

} // namespace

StatementRunner::VariableLookup Interpreter::lookupIn(const Frame& frame) const {
    return [&frame](const QString& name) { return frame.variables.value(name); };
}

EngineStatus Interpreter::runBatch(const QString& text, Outcome& outcome, Variables* variables) {
    // A command with parameters comes again and again with other values: it is read once. A text
    // without them usually holds its values, and would only fill the table.
    std::shared_ptr<const std::vector<Statement>> statements;
    if (variables)
        statements = m_parsed.value(text);
    if (!statements) {
        auto tokens = Lexer::tokenize(text);
        if (!tokens)
            return tokens.status();
        if (tokens->isEmpty())
            return EngineError::commandText(QStringLiteral("El texto de la instrucción está vacío."));
        auto parsed = Parser::parseBatch(*tokens);
        if (!parsed)
            return parsed.status();
        if (parsed->size() == 1 && parsed->front().kind == Statement::Kind::CreateProcedure) {
            const Statement& definition = parsed->front();
            return m_procedures.create(definition.name, text.mid(definition.sourceOffset));
        }
        statements = std::make_shared<const std::vector<Statement>>(std::move(parsed).value());
        if (variables) {
            if (m_parsed.size() >= kMaxParsed)
                m_parsed.clear();
            m_parsed.insert(text, statements);
        }
    }
    Frame frame;
    if (variables)
        frame.variables = *variables;
    Flow flow = Flow::Next;
    EngineStatus ran = runStatements(*statements, frame, outcome, flow);
    if (variables)
        *variables = frame.variables;
    return ran;
}

EngineStatus Interpreter::runStatements(const std::vector<Statement>& statements, Frame& frame,
                                        Outcome& outcome, Flow& flow) {
    for (const Statement& statement : statements) {
        if (EngineStatus ran = runStatement(statement, frame, outcome, flow); !ran.isOk())
            return atLine(std::move(ran).error(), statement.line);
        if (flow != Flow::Next)
            break;
    }
    return EngineStatus::ok();
}

EngineStatus Interpreter::runStatement(const Statement& statement, Frame& frame, Outcome& outcome,
                                       Flow& flow) {
    switch (statement.kind) {
    case Statement::Kind::Sql:
        return runSql(statement.tokens, frame, outcome);
    case Statement::Kind::Block:
        return runStatements(statement.children, frame, outcome, flow);
    case Statement::Kind::If: {
        auto holds = condition(statement.tokens, frame);
        if (!holds)
            return holds.status();
        if (*holds)
            return runStatement(statement.children[0], frame, outcome, flow);
        if (statement.children.size() > 1)
            return runStatement(statement.children[1], frame, outcome, flow);
        return EngineStatus::ok();
    }
    case Statement::Kind::While:
        return runWhile(statement, frame, outcome, flow);
    case Statement::Kind::Declare:
        for (const VariableDeclaration& declaration : statement.declarations) {
            if (EngineStatus declared = frame.variables.declare(declaration.name, declaration.type);
                !declared.isOk())
                return declared;
            if (!declaration.initializer.isEmpty()) {
                auto value = evaluate(declaration.initializer, frame);
                if (!value)
                    return value.status();
                if (EngineStatus assigned = frame.variables.assign(declaration.name, *value);
                    !assigned.isOk())
                    return assigned;
            }
        }
        return EngineStatus::ok();
    case Statement::Kind::Set: {
        const Assignment& assignment = statement.assignments.front();
        if (!frame.variables.contains(assignment.variable))
            return EngineError::commandText(
                QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(assignment.variable), 137);
        auto value = evaluate(assignment.expression, frame);
        if (!value)
            return value.status();
        return frame.variables.assign(assignment.variable, *value);
    }
    case Statement::Kind::SelectAssign:
        return runSelectAssign(statement, frame);
    case Statement::Kind::Exec:
        return runExec(statement, frame, outcome);
    case Statement::Kind::Return:
        if (!statement.tokens.isEmpty()) {
            auto value = evaluate(statement.tokens, frame);
            if (!value)
                return value.status();
            frame.returnValue = value->toInt();
        }
        flow = Flow::Return;
        return EngineStatus::ok();
    case Statement::Kind::Break:
        flow = Flow::Break;
        return EngineStatus::ok();
    case Statement::Kind::Continue:
        flow = Flow::Continue;
        return EngineStatus::ok();
    case Statement::Kind::BeginTran:
        return beginTransaction();
    case Statement::Kind::CommitTran:
        return commitTransaction();
    case Statement::Kind::RollbackTran:
        return rollbackTransaction();
    case Statement::Kind::Print:
        // Nobody reads what PRINT shows; only an error in its expression matters.
        return evaluate(statement.tokens, frame).status();
    case Statement::Kind::Raiserror: {
        // RAISERROR (message, severity, state): severities up to 10 are only information.
        TokenList inside = statement.tokens;
        if (!inside.isEmpty() && inside.first().kind == Token::Kind::LParen &&
            inside.last().kind == Token::Kind::RParen)
            inside = inside.mid(1, inside.size() - 2);
        QList<TokenList> parts{{}};
        int depth = 0;
        for (const Token& t : std::as_const(inside)) {
            if (t.kind == Token::Kind::LParen)
                ++depth;
            else if (t.kind == Token::Kind::RParen)
                --depth;
            if (depth == 0 && t.kind == Token::Kind::Comma)
                parts.append(TokenList());
            else
                parts.last().append(t);
        }
        auto message = evaluate(parts[0], frame);
        if (!message)
            return message.status();
        qint64 severity = 16;
        if (parts.size() > 1) {
            auto value = evaluate(parts[1], frame);
            if (!value)
                return value.status();
            severity = value->toInt();
        }
        if (severity <= 10)
            return EngineStatus::ok();
        return EngineError{Status::Code::DatabaseError, 50000, QStringLiteral("42000"), message->toString()};
    }
    case Statement::Kind::CreateProcedure:
        return EngineError::commandText(
            QStringLiteral("CREATE PROCEDURE debe ser la única instrucción del lote."), 111);
    case Statement::Kind::DropProcedure:
        return m_procedures.drop(statement.name);
    case Statement::Kind::Nothing:
        return EngineStatus::ok();
    }
    return EngineStatus::ok();
}

EngineStatus Interpreter::runSql(const TokenList& tokens, Frame& frame, Outcome& outcome) {
    StatementRunner::Outcome result;
    if (EngineStatus failure = m_runner.run(tokens, lookupIn(frame), frame.rowCount, m_tranCount, result);
        !failure.isOk())
        return failure;
    frame.rowCount = result.rowCount;
    if (m_depth == 0 && result.kind != Translation::Kind::Query)
        outcome.changedData = true;
    if (result.rows)
        outcome.results.append(std::move(*result.rows));
    else if (result.kind == Translation::Kind::Change)
        outcome.rowsAffected = result.rowCount;
    return EngineStatus::ok();
}

EngineStatus Interpreter::runSelectAssign(const Statement& statement, Frame& frame) {
    for (const Assignment& assignment : statement.assignments) {
        if (!frame.variables.contains(assignment.variable))
            return EngineError::commandText(
                QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(assignment.variable), 137);
    }
    StatementRunner::Outcome result;
    if (EngineStatus failure =
            m_runner.run(statement.tokens, lookupIn(frame), frame.rowCount, m_tranCount, result);
        !failure.isOk())
        return failure;
    frame.rowCount = result.rowCount;
    if (!result.rows || result.rows->recordCount() == 0)
        return EngineStatus::ok();
    // Each row assigns in turn, so the variables keep the values of the last one.
    const QList<DbValue>& last = result.rows->rows().last();
    for (std::size_t i = 0; i < statement.assignments.size() && i < static_cast<std::size_t>(last.size());
         ++i) {
        if (EngineStatus failure =
                frame.variables.assign(statement.assignments[i].variable, last[static_cast<qsizetype>(i)]);
            !failure.isOk())
            return failure;
    }
    return EngineStatus::ok();
}

EngineStatus Interpreter::runWhile(const Statement& statement, Frame& frame, Outcome& outcome, Flow& flow) {
    for (qint64 round = 0;; ++round) {
        if (round >= kMaxLoopRounds)
            return EngineError{
                Status::Code::DatabaseError, 50000, QStringLiteral("HY000"),
                QStringLiteral("El ciclo WHILE pasó de %1 vueltas; se detuvo.").arg(kMaxLoopRounds)};
        auto holds = condition(statement.tokens, frame);
        if (!holds)
            return holds.status();
        if (!*holds)
            return EngineStatus::ok();
        if (EngineStatus failure = runStatement(statement.children[0], frame, outcome, flow); !failure.isOk())
            return failure;
        if (flow == Flow::Return)
            return EngineStatus::ok();
        const bool leave = flow == Flow::Break;
        flow = Flow::Next;
        if (leave)
            return EngineStatus::ok();
    }
}

EngineResult<DbValue> Interpreter::evaluate(const TokenList& expression, Frame& frame) {
    StatementRunner::Outcome result;
    if (EngineStatus ran =
            m_runner.run(selectOf(expression), lookupIn(frame), frame.rowCount, m_tranCount, result);
        !ran.isOk())
        return ran;
    if (!result.rows || result.rows->eof())
        return DbValue();
    return result.rows->value(0);
}

namespace {

// The value of a declared variable or of a number literal; nothing for any other operand.
std::optional<DbValue> operandValue(const Token& operand, const Variables& variables) {
    if (operand.kind == Token::Kind::Variable && !operand.text.startsWith(QStringLiteral("@@")))
        return variables.value(operand.text);
    if (operand.kind == Token::Kind::Number)
        return literalValue(operand);
    return std::nullopt;
}

// Whether a condition holds, when it is one that needs nothing of the database: "@v IS NULL",
// "@v IS NOT NULL", or a comparison of two whole numbers (variables or literals), which a NULL makes
// false. Nothing for any other condition, or for a variable not declared (the database then reports
// it).
std::optional<bool> localCondition(const TokenList& expression, const Variables& variables) {
    const qsizetype size = expression.size();
    if (size != 3 && size != 4)
        return std::nullopt;
    const std::optional<DbValue> left = operandValue(expression.first(), variables);
    if (!left)
        return std::nullopt;
    if (expression.at(1).is(u"IS")) {
        if (expression.first().kind != Token::Kind::Variable || (size == 4 && !expression.at(2).is(u"NOT")) ||
            !expression.last().is(u"NULL"))
            return std::nullopt;
        return left->isNull() == (size == 3);
    }
    const std::optional<DbValue> right =
        size == 3 ? operandValue(expression.last(), variables) : std::nullopt;
    static const QStringList comparisons{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="),
                                         QStringLiteral("<"), QStringLiteral(">"),  QStringLiteral("<="),
                                         QStringLiteral(">=")};
    const Token& op = expression.at(1);
    const auto whole = [](const DbValue& v) { return v.isNull() || v.type() == DbValue::Type::Integer; };
    if (!right || op.kind != Token::Kind::Operator || !comparisons.contains(op.text) || !whole(*left) ||
        !whole(*right))
        return std::nullopt;
    // A comparison with NULL is unknown, and a condition that is unknown does not hold.
    if (left->isNull() || right->isNull())
        return false;
    const qint64 a = left->toInt();
    const qint64 b = right->toInt();
    if (op.text == u"=")
        return a == b;
    if (op.text == u"<>" || op.text == u"!=")
        return a != b;
    if (op.text == u"<")
        return a < b;
    if (op.text == u">")
        return a > b;
    if (op.text == u"<=")
        return a <= b;
    return a >= b;
}

} // namespace

EngineResult<bool> Interpreter::condition(const TokenList& expression, Frame& frame) {
    // The commonest tests in procedures need no trip to the database, which could not tell a NULL
    // value's type there anyway.
    if (const std::optional<bool> holds = localCondition(expression, frame.variables))
        return *holds;
    TokenList test;
    const int line = expression.isEmpty() ? 1 : expression.first().line;
    test.append(word(QStringLiteral("CASE"), line));
    test.append(word(QStringLiteral("WHEN"), line));
    test.append(expression);
    test.append(word(QStringLiteral("THEN"), line));
    test.append(Token{Token::Kind::Number, QStringLiteral("1"), 0, 0, line});
    test.append(word(QStringLiteral("ELSE"), line));
    test.append(Token{Token::Kind::Number, QStringLiteral("0"), 0, 0, line});
    test.append(word(QStringLiteral("END"), line));
    auto value = evaluate(test, frame);
    if (!value)
        return value.status();
    return value->toInt() == 1;
}

EngineResult<DbValue> Interpreter::argumentValue(const TokenList& value, Frame& frame) {
    if (value.size() == 1) {
        const Token& t = value.first();
        if (t.kind == Token::Kind::Variable && !t.text.startsWith(QStringLiteral("@@"))) {
            if (auto found = frame.variables.value(t.text))
                return *found;
            return EngineError::commandText(
                QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(t.text), 137);
        }
        if (t.isLiteral())
            return literalValue(t);
        if (t.is(u"NULL"))
            return DbValue();
        // A bare word is a text, as the server reads procedure arguments: Proc 1, mesero1.
        if (t.isName())
            return DbValue(t.text);
    }
    return evaluate(value, frame);
}

EngineStatus Interpreter::runExec(const Statement& statement, Frame& frame, Outcome& outcome) {
    std::vector<ProcedureArgument> arguments;
    for (const CallArgument& argument : statement.arguments) {
        ProcedureArgument bound;
        bound.parameter = argument.parameter;
        bound.output = argument.output;
        if (argument.value.size() == 1 && argument.value.first().is(u"DEFAULT")) {
            bound.useDefault = true;
        } else {
            auto value = argumentValue(argument.value, frame);
            if (!value)
                return value.status();
            bound.value = *value;
        }
        arguments.push_back(std::move(bound));
    }
    qint64 returnValue = 0;
    if (EngineStatus failure = callProcedure(statement.name, arguments, outcome, &returnValue);
        !failure.isOk())
        return failure;
    if (m_depth == 0)
        outcome.changedData = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const CallArgument& argument = statement.arguments[i];
        if (argument.output && argument.value.size() == 1 &&
            argument.value.first().kind == Token::Kind::Variable) {
            if (EngineStatus failure =
                    frame.variables.assign(argument.value.first().text, arguments[i].value);
                !failure.isOk())
                return failure;
        }
    }
    if (!statement.variable.isEmpty())
        return frame.variables.assign(statement.variable, DbValue(returnValue));
    return EngineStatus::ok();
}

EngineStatus Interpreter::callProcedure(const QString& name, std::vector<ProcedureArgument>& arguments,
                                        Outcome& outcome, qint64* returnValue) {
    auto procedure = m_procedures.find(name);
    if (!procedure)
        return procedure.status();
    if (m_depth >= kMaxProcedureDepth)
        return EngineError{Status::Code::DatabaseError, 217, QStringLiteral("42000"),
                           QStringLiteral("Maximum stored procedure nesting level exceeded (limit 32).")};
    return runProcedure(**procedure, arguments, outcome, returnValue);
}

} // namespace nerin::tsql
