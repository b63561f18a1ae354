#pragma once

#include "server/tsql/Dialect.h"
#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

#include <QString>

namespace nerin::tsql {

// Writes the text of a translation in the target's dialect, keeping its bookkeeping: which literal
// token each numbered marker stands for and which literal tokens went into the text as they are.
// Words are separated by one space where one is needed; punctuation is glued on.
class SqlBuilder {
public:
    enum class Literals {
        Lift,   // values become numbered parameters (queries and changes)
        Inline, // values are written out (data definition, views), and variables are refused
    };

    SqlBuilder(const TokenList& tokens, const Dialect& dialect) : m_tokens(tokens), m_dialect(dialect) {}

    Literals literals() const { return m_literals; }
    void setLiterals(Literals mode) { m_literals = mode; }

    // A word or operator, after a space unless the text ends with "(", "." or a space; nothing when
    // empty.
    void word(QStringView text);
    // Text appended as it is: ",", ")", "(" after a function name.
    void glue(QStringView text) { m_sql += text; }
    // Glued when it is a comma or a closing parenthesis, otherwise a word.
    void punctuation(QStringView text) {
        if (text.startsWith(u',') || text.startsWith(u')'))
            glue(text);
        else
            word(text);
    }

    // The literal token at `index`: a numbered marker or written out, as the mode says.
    void literal(int index);
    // The literal token at `index` written out whatever the mode, because the value itself is needed
    // there (ORDER BY ordinals, lengths of types).
    void inlineLiteral(int index);
    // Records that the literal token at `index` shaped the text in some other way (a string used
    // as a column alias, a length inside a type name).
    void recordInlined(int index);
    // A name: quoted when the target would not read it as the same name bare.
    void name(const Token& token);
    // A name given as text (an alias written as a string, a column read from the catalogue), quoted.
    void quotedName(QStringView name) { word(m_dialect.quotedName(name)); }
    // The target's view for INFORMATION_SCHEMA.<view>.
    void catalogueView(QStringView view) { word(m_dialect.catalogueView(view)); }
    // A parameter bound by name, given as "@x" in lower case.
    void variable(const QString& parameter);

    // Where the statement proper starts, after a "CREATE TABLE x AS" prefix: see finish().
    void markBodyStart() { m_bodyStart = m_sql.size(); }

    // The finished translation. When a variable came before a literal, the dialect's parameter
    // prologue goes before the statement proper.
    Translation finish(Translation::Kind kind, const QString& touchedTable = {});

    static QString doubleQuoted(QStringView name);
    static QString quotedString(QStringView text);
    // How a literal is written into the text: numbers as written, strings quoted (a date text in
    // its stored form).
    static QString literalText(const Token& token);

private:
    const TokenList& m_tokens;
    const Dialect& m_dialect;
    Literals m_literals = Literals::Lift;
    QString m_sql;
    QList<int> m_literalTokens;
    QList<QPair<int, QString>> m_inlined;
    qsizetype m_bodyStart = 0;
    bool m_variableWritten = false;
    bool m_variableBeforeLiteral = false;
};

} // namespace nerin::tsql
