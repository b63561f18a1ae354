#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace nerin::tsql {

// One token of a T-SQL text.
struct Token {
    enum class Kind {
        Word,       // a keyword or plain name, as written: SELECT, ID_Comanda, #Tmp_Imprimir, dbo
        QuotedName, // [Name] or "Name"; text holds the name without its quotes
        Variable,   // @nFolio, @@ROWCOUNT; text holds the name with its "@"s
        String,     // 'text' or N'text'; text holds the value, doubled quotes made single
        Number,     // 12, 1.5, .5, 2e3, or a binary literal 0x0A0b, as written
        Operator,   // + - * / % = < > <= >= <> != *= =* & | ^ ~ !< !>
        Comma,
        Dot,
        LParen,
        RParen,
        Semicolon,
    };

    Kind kind = Kind::Word;
    QString text;
    qsizetype offset = 0; // where the token starts in the source text
    qsizetype length = 0; // how many source characters it takes, quotes included
    int line = 1;         // the source line it starts on, from 1

    bool isWord() const { return kind == Kind::Word; }
    bool isName() const { return kind == Kind::Word || kind == Kind::QuotedName; }
    // A plain word equal to `keyword` without regard to case; quoted names never match.
    bool is(QStringView keyword) const {
        return kind == Kind::Word && QStringView(text).compare(keyword, Qt::CaseInsensitive) == 0;
    }
    bool isOperator(QStringView op) const { return kind == Kind::Operator && text == op; }
    bool isLiteral() const { return kind == Kind::String || kind == Kind::Number; }
    // A binary literal: "0x" and hexadecimal digits.
    bool isBinary() const {
        return kind == Kind::Number && text.size() >= 2 && (text[1] == u'x' || text[1] == u'X');
    }
};

using TokenList = QList<Token>;

} // namespace nerin::tsql
