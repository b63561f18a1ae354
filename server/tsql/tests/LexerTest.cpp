#include "server/tsql/Lexer.h"

#include <gtest/gtest.h>

using nerin::tsql::Lexer;
using nerin::tsql::Token;
using Kind = nerin::tsql::Token::Kind;

namespace {

// "kind:text" for each token, joined by spaces, so a whole statement is checked at once.
QString describe(const QString& sql) {
    auto tokens = Lexer::tokenize(sql);
    if (!tokens)
        return QStringLiteral("ERROR ") + tokens.error().message;
    QStringList parts;
    for (const Token& t : *tokens) {
        static const char* names[] = {"w", "q", "v", "s", "n", "o", ",", ".", "(", ")", ";"};
        parts.append(QString::fromLatin1(names[static_cast<int>(t.kind)]) + u':' + t.text);
    }
    return parts.join(u' ');
}

} // namespace

TEST(Lexer, ReadsQuotesNamesVariablesNumbersAndOperatorsAsTheServerDoes) {
    const struct {
        const char* sql;
        const char* tokens;
    } cases[] = {
        {"SELECT 'O''Hara', N'Peña' FROM [Mi Tabla] WHERE \"x\"=@nFolio",
         "w:SELECT s:O'Hara ,:, s:Peña w:FROM q:Mi Tabla w:WHERE q:x o:= v:@nFolio"},
        {"select @@ROWCOUNT, #Tmp_Imprimir.ID from [a]]b]",
         "w:select v:@@ROWCOUNT ,:, w:#Tmp_Imprimir .:. w:ID w:from q:a]b"},
        {"UPDATE Empleado SET Contraseña=''", "w:UPDATE w:Empleado w:SET w:Contraseña o:= s:"},
        // Numbers run into keywords.
        {"ID_Comanda=1AND Control= 1", "w:ID_Comanda o:= n:1 w:AND w:Control o:= n:1"},
        {"x=2else 1.5e3 .5 7.", "w:x o:= n:2 w:else n:1.5e3 n:.5 n:7."},
        // Binary literals, empty or of any case, end at the first letter that is no hex digit.
        {"SELECT 0x41, 0x,0X0A0b AS b, 0x1Fg",
         "w:SELECT n:0x41 ,:, n:0x ,:, n:0X0A0b w:AS w:b ,:, n:0x1F w:g"},
        // Old outer joins are operators of their own.
        {"a.x*=b.y AND c=*d AND e<>f AND g!=h AND i<=j AND count(*)>0",
         "w:a .:. w:x o:*= w:b .:. w:y w:AND w:c o:=* w:d w:AND w:e o:<> w:f w:AND w:g o:!= w:h w:AND w:i "
         "o:<= w:j w:AND w:count (:( o:* ):) o:> n:0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(QString::fromUtf8(c.sql)), QString::fromUtf8(c.tokens)) << c.sql;
}

TEST(Lexer, CommentsAreDroppedAndLinesCounted) {
    auto tokens = Lexer::tokenize(QStringLiteral("-- nota\nSELECT /* uno /* dos */ tres */ 1\n;"));
    ASSERT_TRUE(tokens);
    ASSERT_EQ(tokens->size(), 3);
    EXPECT_EQ((*tokens)[0].line, 2);
    EXPECT_EQ((*tokens)[1].text, QStringLiteral("1"));
    EXPECT_EQ((*tokens)[2].line, 3);
}

TEST(Lexer, UnfinishedOrUnknownInputIsACommandTextError) {
    for (const char* bad : {"SELECT 'abc", "SELECT [abc", "SELECT \"abc", "SELECT 1 /* abierto", "SELECT ?",
                            "SELECT @", "SELECT `x`"}) {
        auto tokens = Lexer::tokenize(QString::fromUtf8(bad));
        ASSERT_FALSE(tokens) << bad;
        EXPECT_EQ(tokens.error().code, nerin::Status::Code::CommandTextError) << bad;
        EXPECT_TRUE(tokens.error().message.startsWith(QStringLiteral("Línea 1: "))) << bad;
    }
    auto empty = Lexer::tokenize(QString());
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isEmpty());
}
