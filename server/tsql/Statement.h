#pragma once

#include "server/tsql/Token.h"

#include <QString>
#include <vector>

namespace nerin::tsql {

// A DECLAREd variable, or a parameter of a procedure.
struct VariableDeclaration {
    QString name;          // with its "@", as written
    QString type;          // the T-SQL type as written: "int", "varchar(20)"
    TokenList initializer; // the expression after "=", or empty
    bool output = false;   // a procedure parameter declared OUTPUT
};

// One argument of a procedure call: `value`, `@param = value`, either followed by OUTPUT.
struct CallArgument {
    QString parameter; // "@name" when the argument is named, else empty
    TokenList value;   // one literal, variable, bare word, DEFAULT, or a signed number
    bool output = false;
};

// `@variable = expression` inside SELECT or SET.
struct Assignment {
    QString variable;
    TokenList expression;
};

// One statement of a batch or a procedure body, parsed as far as the interpreter needs: the control
// flow and the variables are the interpreter's; plain SQL is passed whole to the translator.
struct Statement {
    enum class Kind {
        Sql,          // SELECT, INSERT, UPDATE, DELETE, CREATE TABLE/VIEW/INDEX, DROP, TRUNCATE, ALTER
        Block,        // BEGIN ... END
        If,           // condition; children: then [, else]
        While,        // condition; children: body
        Declare,      // declarations
        Set,          // assignments (one)
        SelectAssign, // SELECT @a = ..., @b = ... [FROM ...]: assignments and the rest of the query
        Exec,         // call of `name` with arguments; `variable` takes the return value
        Return,       // expression (may be empty)
        Break,
        Continue,
        BeginTran,
        CommitTran,
        RollbackTran,
        Print,           // expression
        Raiserror,       // expression: the message
        CreateProcedure, // name, declarations (parameters), children: the body; `source` its text
        DropProcedure,   // name
        Nothing,         // session options such as SET NOCOUNT ON
    };

    Kind kind = Kind::Nothing;
    int line = 1;
    TokenList tokens; // Sql: the statement; If/While: the condition; Return/Print/Raiserror: the value
    QString name;     // Exec, CreateProcedure, DropProcedure
    QString variable; // Exec: "@result" of EXEC @result = name
    std::vector<VariableDeclaration> declarations;
    std::vector<Assignment> assignments;
    std::vector<CallArgument> arguments;
    std::vector<Statement> children;
    qsizetype sourceOffset = 0; // CreateProcedure: where its text starts in the batch
};

} // namespace nerin::tsql
