#include "server/tsql/Lexer.h"

namespace nerin::tsql {

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == u'_' || c == u'#';
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'@' || c == u'$';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool isHexDigit(QChar c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

class Scanner {
public:
    explicit Scanner(QStringView text) : m_text(text) {}

    EngineResult<TokenList> run() {
        while (true) {
            if (EngineStatus s = skipSpaceAndComments(); !s)
                return s;
            if (m_pos >= m_text.size())
                break;
            if (EngineStatus s = scanToken(); !s)
                return s;
        }
        return std::move(m_tokens);
    }

private:
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text[i] : QChar(); }

    EngineStatus error(const QString& what) const {
        return EngineError::commandText(QStringLiteral("Línea %1: %2").arg(m_line).arg(what));
    }

    void advance(qsizetype count) {
        for (qsizetype i = 0; i < count && m_pos < m_text.size(); ++i, ++m_pos) {
            if (m_text[m_pos] == u'\n')
                ++m_line;
        }
    }

    EngineStatus skipSpaceAndComments() {
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c.isSpace()) {
                advance(1);
            } else if (c == u'-' && at(m_pos + 1) == u'-') {
                while (m_pos < m_text.size() && m_text[m_pos] != u'\n')
                    advance(1);
            } else if (c == u'/' && at(m_pos + 1) == u'*') {
                if (EngineStatus s = skipBlockComment(); !s)
                    return s;
            } else {
                break;
            }
        }
        return EngineStatus::ok();
    }

    EngineStatus skipBlockComment() {
        const int startLine = m_line;
        int depth = 0;
        while (m_pos < m_text.size()) {
            if (m_text[m_pos] == u'/' && at(m_pos + 1) == u'*') {
                ++depth;
                advance(2);
            } else if (m_text[m_pos] == u'*' && at(m_pos + 1) == u'/') {
                advance(2);
                if (--depth == 0)
                    return EngineStatus::ok();
            } else {
                advance(1);
            }
        }
        m_line = startLine;
        return error(QStringLiteral("comentario sin cerrar (falta \"*/\")"));
    }

    void push(Token::Kind kind, QString text, qsizetype start, int line) {
        m_tokens.append(Token{kind, std::move(text), start, m_pos - start, line});
    }

    // A quoted run ending at `close`, where a doubled `close` stands for one.
    EngineResult<QString> quoted(QChar close, const QString& what) {
        const int startLine = m_line;
        QString value;
        advance(1);
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == close) {
                if (at(m_pos + 1) == close) {
                    value += close;
                    advance(2);
                    continue;
                }
                advance(1);
                return value;
            }
            value += c;
            advance(1);
        }
        m_line = startLine;
        return error(what);
    }

    EngineStatus scanToken() {
        const qsizetype start = m_pos;
        const int line = m_line;
        const QChar c = m_text[m_pos];

        if ((c == u'N' || c == u'n') && at(m_pos + 1) == u'\'') {
            advance(1);
            return scanString(start, line);
        }
        if (c == u'\'')
            return scanString(start, line);
        if (c == u'[') {
            auto name = quoted(u']', QStringLiteral("nombre entre corchetes sin cerrar (falta \"]\")"));
            if (!name)
                return name.status();
            push(Token::Kind::QuotedName, *name, start, line);
            return EngineStatus::ok();
        }
        if (c == u'"') {
            auto name = quoted(u'"', QStringLiteral("nombre entre comillas dobles sin cerrar"));
            if (!name)
                return name.status();
            push(Token::Kind::QuotedName, *name, start, line);
            return EngineStatus::ok();
        }
        if (c == u'@') {
            qsizetype end = m_pos + 1;
            while (end < m_text.size() && (isNamePart(m_text[end])))
                ++end;
            if (end == m_pos + 1)
                return error(QStringLiteral("\"@\" sin nombre de variable"));
            advance(end - m_pos);
            push(Token::Kind::Variable, m_text.sliced(start, m_pos - start).toString(), start, line);
            return EngineStatus::ok();
        }
        if (isDigit(c) || (c == u'.' && isDigit(at(m_pos + 1))))
            return scanNumber(start, line);
        if (isNameStart(c)) {
            qsizetype end = m_pos + 1;
            while (end < m_text.size() && isNamePart(m_text[end]))
                ++end;
            advance(end - m_pos);
            push(Token::Kind::Word, m_text.sliced(start, m_pos - start).toString(), start, line);
            return EngineStatus::ok();
        }
        return scanPunctuation(start, line);
    }

    EngineStatus scanString(qsizetype start, int line) {
        auto value = quoted(u'\'', QStringLiteral("texto entre comillas sin cerrar (falta \"'\")"));
        if (!value)
            return value.status();
        push(Token::Kind::String, *value, start, line);
        return EngineStatus::ok();
    }

    EngineStatus scanNumber(qsizetype start, int line) {
        qsizetype end = m_pos;
        if (m_text[m_pos] == u'0' && (at(m_pos + 1) == u'x' || at(m_pos + 1) == u'X')) {
            // A binary literal: "0x" and any number of hexadecimal digits, none included.
            end += 2;
            while (end < m_text.size() && isHexDigit(m_text[end]))
                ++end;
            advance(end - m_pos);
            push(Token::Kind::Number, m_text.sliced(start, m_pos - start).toString(), start, line);
            return EngineStatus::ok();
        }
        while (end < m_text.size() && isDigit(m_text[end]))
            ++end;
        if (at(end) == u'.') {
            ++end;
            while (end < m_text.size() && isDigit(m_text[end]))
                ++end;
        }
        // An exponent only when digits follow it: "2e3" is a number, "2else" is 2 then else.
        if ((at(end) == u'e' || at(end) == u'E')) {
            qsizetype exponent = end + 1;
            if (at(exponent) == u'+' || at(exponent) == u'-')
                ++exponent;
            if (isDigit(at(exponent))) {
                while (exponent < m_text.size() && isDigit(m_text[exponent]))
                    ++exponent;
                end = exponent;
            }
        }
        advance(end - m_pos);
        push(Token::Kind::Number, m_text.sliced(start, m_pos - start).toString(), start, line);
        return EngineStatus::ok();
    }

    EngineStatus scanPunctuation(qsizetype start, int line) {
        const QChar c = m_text[m_pos];
        const QChar next = at(m_pos + 1);
        auto single = [&](Token::Kind kind) {
            advance(1);
            push(kind, QString(c), start, line);
            return EngineStatus::ok();
        };
        switch (c.unicode()) {
        case u',':
            return single(Token::Kind::Comma);
        case u'.':
            return single(Token::Kind::Dot);
        case u'(':
            return single(Token::Kind::LParen);
        case u')':
            return single(Token::Kind::RParen);
        case u';':
            return single(Token::Kind::Semicolon);
        default:
            break;
        }
        static const QStringList twoCharacter = {
            QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!="),
            QStringLiteral("!<"), QStringLiteral("!>"), QStringLiteral("*="), QStringLiteral("=*")};
        const QString pair = QString(c) + next;
        if (twoCharacter.contains(pair)) {
            advance(2);
            push(Token::Kind::Operator, pair, start, line);
            return EngineStatus::ok();
        }
        if (QStringView(u"+-*/%=<>&|^~").contains(c))
            return single(Token::Kind::Operator);
        return error(QStringLiteral("carácter inesperado \"%1\"").arg(c));
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    TokenList m_tokens;
};

} // namespace

EngineResult<TokenList> Lexer::tokenize(QStringView text) {
    return Scanner(text).run();
}

} // namespace nerin::tsql
