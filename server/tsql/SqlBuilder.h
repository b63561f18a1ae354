#pragma once

#include "server/tsql/Token.h"
#include "server/tsql/Translation.h"

#include <QString>

namespace nerin::tsql {

// Writes the SQLite text of a translation, keeping its bookkeeping: which literal token each "?N"
// stands for and which literal tokens went into the text as they are. Words are separated by one
// space where SQLite needs one; punctuation is glued on.
class SqlBuilder {
public:
    enum class Literals {
        Lift,   // values become ?N parameters (queries and changes)
        Inline, // values are written out (data definition, views), and variables are refused
    };

    explicit SqlBuilder(const TokenList& tokens) : m_tokens(tokens) {}

    Literals literals() const { return m_literals; }
    void setLiterals(Literals mode) { m_literals = mode; }

    // A word or operator, after a space unless the text ends with "(", "." or a space.
    void word(QStringView text);
    // Text appended as it is: ",", ")", "(" after a function name.
    void glue(QStringView text) { m_sql += text; }

    // The literal token at `index`: "?N" or written out, as the mode says.
    void literal(int index);
    // The literal token at `index` written out whatever the mode, because SQLite needs the value
    // itself there (ORDER BY ordinals, lengths of types).
    void inlineLiteral(int index);
    // Records that the literal token at `index` shaped the text in some other way (a string used
    // as a column alias, a length inside a type name).
    void recordInlined(int index);
    // A name: quoted when SQLite would not read it as the same name bare.
    void name(const Token& token);
    // A parameter bound by name: "@x" in lower case.
    void variable(const QString& parameter);

    // Where the statement proper starts, after a "CREATE TABLE x AS" prefix: see finish().
    void markBodyStart() { m_bodyStart = m_sql.size(); }

    // The finished translation. SQLite numbers a named parameter one past the highest number seen so
    // far in the text, so "@x" written before "?2" would share slot 2 with it; when a variable comes
    // before a literal, a leading WITH that mentions the highest ?N keeps the variables above them.
    Translation finish(Translation::Kind kind, const QString& touchedTable = {});

    static QString quotedName(QStringView name);
    static QString quotedString(QStringView text);
    // How a literal is written into the text: numbers as written, strings quoted (a date text in
    // its stored form).
    static QString literalText(const Token& token);

private:
    const TokenList& m_tokens;
    Literals m_literals = Literals::Lift;
    QString m_sql;
    QList<int> m_literalTokens;
    QList<QPair<int, QString>> m_inlined;
    qsizetype m_bodyStart = 0;
    bool m_variableWritten = false;
    bool m_variableBeforeLiteral = false;
};

} // namespace nerin::tsql
