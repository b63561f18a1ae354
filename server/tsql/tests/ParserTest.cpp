#include "server/tsql/Parser.h"

#include "base/tests/QtPrinters.h"
#include "server/tsql/Lexer.h"

#include <gtest/gtest.h>

using nerin::tsql::Lexer;
using nerin::tsql::Parser;
using nerin::tsql::Statement;
using nerin::tsql::TokenList;
using Kind = nerin::tsql::Statement::Kind;

namespace {

std::vector<Statement> parse(const char* sql) {
    auto tokens = Lexer::tokenize(QString::fromUtf8(sql));
    EXPECT_TRUE(tokens) << sql;
    if (!tokens)
        return {};
    auto statements = Parser::parseBatch(*tokens);
    EXPECT_TRUE(statements) << sql << ": " << qPrintable(statements.error().message);
    return statements ? std::move(statements).value() : std::vector<Statement>();
}

QString text(const TokenList& tokens) {
    QStringList parts;
    for (const auto& t : tokens)
        parts.append(t.kind == nerin::tsql::Token::Kind::String ? u'\'' + t.text + u'\'' : t.text);
    return parts.join(u' ');
}

// The kind and the first word of each statement, to check where a batch was cut.
QString outline(const std::vector<Statement>& statements) {
    QStringList parts;
    for (const Statement& s : statements) {
        QString part = QString::number(static_cast<int>(s.kind));
        if (!s.tokens.isEmpty())
            part += u':' + s.tokens.first().text.toUpper();
        parts.append(part);
    }
    return parts.join(u' ');
}

QString error(const char* sql) {
    auto tokens = Lexer::tokenize(QString::fromUtf8(sql));
    if (!tokens)
        return tokens.error().message;
    auto statements = Parser::parseBatch(*tokens);
    return statements ? QString() : statements.error().message;
}

} // namespace

TEST(Parser, StatementsWithoutSeparatorsAreCutWhereANewOneBegins) {
    const auto statements = parse("UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=1 "
                                  "INSERT INTO Bitacora(Texto) SELECT Texto FROM #T "
                                  "SELECT a FROM t UNION ALL SELECT b FROM u ORDER BY 1; "
                                  "DELETE FROM t WHERE x IN (SELECT y FROM u) "
                                  "SELECT CASE WHEN a=1 THEN 'x' ELSE 'y' END FROM t "
                                  "DROP TABLE IF EXISTS #T");
    ASSERT_EQ(statements.size(), 6u);
    for (const Statement& s : statements)
        EXPECT_EQ(s.kind, Kind::Sql);
    EXPECT_EQ(text(statements[0].tokens),
              QStringLiteral("UPDATE Comanda SET EnUsoPor = 0 WHERE ID_Comanda = 1"));
    EXPECT_EQ(text(statements[1].tokens),
              QStringLiteral("INSERT INTO Bitacora ( Texto ) SELECT Texto FROM #T"));
    EXPECT_EQ(statements[2].tokens.size(), 13);
    EXPECT_EQ(text(statements[4].tokens),
              QStringLiteral("SELECT CASE WHEN a = 1 THEN 'x' ELSE 'y' END FROM t"));
    EXPECT_EQ(text(statements[5].tokens), QStringLiteral("DROP TABLE IF EXISTS #T"));
}

TEST(Parser, ABatchThatStartsWithANameCallsThatProcedure) {
    const auto statements = parse("Proc 1,1,mesero1,1");
    ASSERT_EQ(statements.size(), 1u);
    const Statement& call = statements[0];
    EXPECT_EQ(call.kind, Kind::Exec);
    EXPECT_EQ(call.name, QStringLiteral("Proc"));
    ASSERT_EQ(call.arguments.size(), 4u);
    EXPECT_EQ(text(call.arguments[2].value), QStringLiteral("mesero1"));

    const auto named = parse("EXEC @r = dbo.Abrir_Mesa @nNumMesa = 5, @sTipo = 'M', @nFolio = @f OUTPUT, -3");
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].name, QStringLiteral("Abrir_Mesa"));
    EXPECT_EQ(named[0].variable, QStringLiteral("@r"));
    ASSERT_EQ(named[0].arguments.size(), 4u);
    EXPECT_EQ(named[0].arguments[2].parameter, QStringLiteral("@nFolio"));
    EXPECT_TRUE(named[0].arguments[2].output);
    EXPECT_EQ(text(named[0].arguments[3].value), QStringLiteral("- 3"));
}

TEST(Parser, ControlFlowNests) {
    const auto statements = parse("DECLARE @n int = 0, @s varchar(10) "
                                  "WHILE @n < 3 BEGIN SET @n = @n + 1 IF @n = 2 CONTINUE END "
                                  "IF EXISTS (SELECT * FROM t WHERE a = 1) UPDATE t SET a = 2 ELSE BEGIN "
                                  "INSERT t VALUES (1) RETURN END");
    ASSERT_EQ(outline(statements), QStringLiteral("4 3:@N 2:EXISTS"));
    EXPECT_EQ(statements[0].declarations.size(), 2u);
    EXPECT_EQ(statements[0].declarations[1].type, QStringLiteral("varchar(10)"));
    EXPECT_EQ(text(statements[0].declarations[0].initializer), QStringLiteral("0"));
    const Statement& loop = statements[1].children[0];
    EXPECT_EQ(loop.kind, Kind::Block);
    ASSERT_EQ(loop.children.size(), 2u);
    EXPECT_EQ(loop.children[0].kind, Kind::Set);
    EXPECT_EQ(text(loop.children[0].assignments[0].expression), QStringLiteral("@n + 1"));
    EXPECT_EQ(loop.children[1].children[0].kind, Kind::Continue);
    const Statement& choice = statements[2];
    ASSERT_EQ(choice.children.size(), 2u);
    EXPECT_EQ(choice.children[0].kind, Kind::Sql);
    EXPECT_EQ(outline(choice.children[1].children), QStringLiteral("0:INSERT 8"));
}

TEST(Parser, SelectAssignmentsBecomeAQueryAndTheVariablesItSets) {
    const auto statements = parse("SELECT TOP 1 @a = Nombre, @b = ISNULL(Total, 0) FROM Cuenta WHERE x = 1 "
                                  "SELECT @c = 5");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].kind, Kind::SelectAssign);
    EXPECT_EQ(text(statements[0].tokens),
              QStringLiteral("SELECT TOP 1 Nombre , ISNULL ( Total , 0 ) FROM Cuenta WHERE x = 1"));
    ASSERT_EQ(statements[0].assignments.size(), 2u);
    EXPECT_EQ(statements[0].assignments[1].variable, QStringLiteral("@b"));
    EXPECT_EQ(text(statements[1].tokens), QStringLiteral("SELECT 5"));
}

TEST(Parser, ProceduresTakeTheRestOfTheBatch) {
    const auto statements =
        parse("CREATE PROCEDURE dbo.Abrir_Mesa @nNumMesa bigint, @sTipo char(1) = 'M', "
              "@nFolio bigint OUTPUT AS BEGIN SET NOCOUNT ON INSERT INTO Comanda(Num_Mesa) "
              "VALUES(@nNumMesa) SET @nFolio = SCOPE_IDENTITY() END");
    ASSERT_EQ(statements.size(), 1u);
    const Statement& procedure = statements[0];
    EXPECT_EQ(procedure.kind, Kind::CreateProcedure);
    EXPECT_EQ(procedure.name, QStringLiteral("Abrir_Mesa"));
    ASSERT_EQ(procedure.declarations.size(), 3u);
    EXPECT_EQ(procedure.declarations[1].type, QStringLiteral("char(1)"));
    EXPECT_EQ(text(procedure.declarations[1].initializer), QStringLiteral("'M'"));
    EXPECT_TRUE(procedure.declarations[2].output);
    ASSERT_EQ(procedure.children.size(), 1u);
    EXPECT_EQ(outline(procedure.children[0].children), QStringLiteral("18 0:INSERT 5"));
}

TEST(Parser, TransactionsAndOptions) {
    const auto statements = parse("BEGIN TRAN t1 COMMIT TRANSACTION ROLLBACK SET NOCOUNT ON PRINT 'x'");
    EXPECT_EQ(outline(statements), QStringLiteral("11 12 13 18 14:X"));
}

TEST(Parser, WhatCannotBeReadIsRefusedWithItsLine) {
    EXPECT_EQ(error("SELECT 1\nEND"), QStringLiteral("Línea 2: END sin BEGIN"));
    EXPECT_EQ(error("IF 1=1 BEGIN SELECT 1"), QStringLiteral("Línea 1: falta el END de un BEGIN"));
    EXPECT_EQ(error("SELECT (1"), QStringLiteral("Falta cerrar un \"(\""));
    EXPECT_EQ(error("SELECT 1)"), QStringLiteral("Línea 1: sobra un \")\""));
    EXPECT_EQ(error("SELECT 1 ELSE SELECT 2"), QStringLiteral("Línea 1: ELSE sin IF"));
    EXPECT_EQ(error("BEGIN TRY SELECT 1 END TRY"), QStringLiteral("Línea 1: No soportado: BEGIN TRY"));
    EXPECT_EQ(error("DECLARE @t TABLE (a int)"),
              QStringLiteral("Línea 1: No soportado: variables de tipo TABLE"));
    EXPECT_EQ(error("SELECT @a = 1, b FROM t"),
              QStringLiteral("Línea 1: una SELECT que asigna variables no puede devolver columnas"));
    EXPECT_EQ(error("EXEC ('SELECT 1')"), QStringLiteral("Línea 1: No soportado: EXEC de texto dinámico"));
    EXPECT_FALSE(error("SELECT 1 IF").isEmpty());
    EXPECT_FALSE(error("Proc 1,,2").isEmpty());
    // Deep nesting is refused, not followed until the stack runs out.
    const QByteArray deep = "SELECT " + QByteArray(5000, '(') + "1" + QByteArray(5000, ')');
    EXPECT_EQ(error(deep.constData()), QStringLiteral("Línea 1: demasiados paréntesis anidados"));
    QByteArray blocks;
    for (int i = 0; i < 1000; ++i)
        blocks += "BEGIN ";
    EXPECT_EQ(error(blocks.constData()), QStringLiteral("Línea 1: demasiados bloques anidados"));
}
