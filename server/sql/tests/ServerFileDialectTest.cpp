// The server files deploy unchanged to SQL Server and run on the embedded engine, so they keep to
// what both accept. That the engine runs every file is shown by the schema, procedure and demo tests,
// which create their databases from them; here, that no file uses what SQL Server refuses or what only
// the embedded engine's SQLite understands. The check reads the engine's tokens, so comments and the
// contents of texts never count.
#include "base/tests/QtPrinters.h"
#include "server/DatabaseBuilder.h"
#include "server/tsql/Lexer.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using nerin::tsql::Lexer;
using nerin::tsql::Token;
using nerin::tsql::TokenList;

namespace {

// Whether the construct starts at token i of the source text.
using Matcher = std::function<bool(const TokenList& tokens, qsizetype i, QStringView source)>;

struct Refused {
    const char* construct;
    const char* reason;
    Matcher matches;
};

bool wordAt(const TokenList& tokens, qsizetype i, QStringView word) {
    return i >= 0 && i < tokens.size() && tokens[i].is(word);
}

Matcher words(std::initializer_list<const char*> sequence) {
    QStringList list;
    for (const char* word : sequence)
        list.append(QString::fromLatin1(word));
    return [list](const TokenList& tokens, qsizetype i, QStringView) {
        for (qsizetype k = 0; k < list.size(); ++k) {
            if (!wordAt(tokens, i + k, list[k]))
                return false;
        }
        return true;
    };
}

// A call of the function: its name followed by "(".
Matcher call(const char* name) {
    const QString function = QString::fromLatin1(name);
    return [function](const TokenList& tokens, qsizetype i, QStringView) {
        return tokens[i].is(function) && i + 1 < tokens.size() && tokens[i + 1].kind == Token::Kind::LParen;
    };
}

const Refused kRefused[] = {
    {"*= / =*", "old outer join: SQL Server refuses it from compatibility level 90; write LEFT/RIGHT JOIN",
     [](const TokenList& t, qsizetype i, QStringView) {
         return t[i].isOperator(u"*=") || t[i].isOperator(u"=*");
     }},
    {"LIMIT", "SQLite's row limit; SQL Server takes TOP n", words({"LIMIT"})},
    {"AUTOINCREMENT", "SQLite's key counter; SQL Server takes IDENTITY(1, 1)", words({"AUTOINCREMENT"})},
    {"IF NOT EXISTS in CREATE",
     "SQL Server has no CREATE ... IF NOT EXISTS; test the catalogue with IF NOT EXISTS (SELECT ...)",
     [](const TokenList& t, qsizetype i, QStringView) {
         return words({"IF", "NOT", "EXISTS"})(t, i, {}) &&
                (i + 3 >= t.size() || t[i + 3].kind != Token::Kind::LParen);
     }},
    {"\"double quotes\"", "a text under QUOTED_IDENTIFIER OFF and a name under ON; write 'texts' and [names]",
     [](const TokenList& t, qsizetype i, QStringView source) {
         return t[i].kind == Token::Kind::QuotedName && source.at(t[i].offset) == u'"';
     }},
    {"||", "SQLite's concatenation (SQL Server reads two bitwise ORs); write +",
     [](const TokenList& t, qsizetype i, QStringView) {
         return t[i].isOperator(u"|") && i + 1 < t.size() && t[i + 1].isOperator(u"|") &&
                t[i + 1].offset == t[i].offset + 1;
     }},
    {"ifnull()", "SQLite's function; SQL Server takes ISNULL", call("ifnull")},
    {"substr()", "SQLite's function; SQL Server takes SUBSTRING", call("substr")},
    {"last_insert_rowid()", "SQLite's function; SQL Server takes SCOPE_IDENTITY()",
     call("last_insert_rowid")},
    {"strftime()", "SQLite's function; SQL Server takes CONVERT with a style", call("strftime")},
    {"julianday()", "SQLite's function; SQL Server takes DATEDIFF", call("julianday")},
    {"group_concat()", "SQLite's function, unknown to SQL Server", call("group_concat")},
    {"instr()", "SQLite's function; SQL Server takes CHARINDEX", call("instr")},
    {"nerin_*", "the embedded engine's own function; the engine writes it, the server files never do",
     [](const TokenList& t, qsizetype i, QStringView) {
         return t[i].isWord() && t[i].text.startsWith(QStringLiteral("nerin_"), Qt::CaseInsensitive);
     }},
    {"TEXT", "SQLite's type (deprecated on SQL Server); write varchar(n)", words({"TEXT"})},
    {"REAL", "SQLite's type, single precision on SQL Server; write money or decimal(p, s)", words({"REAL"})},
    {"BLOB", "SQLite's type, unknown to SQL Server; write varbinary(n)", words({"BLOB"})},
    {"ON CONFLICT", "SQLite's clause, unknown to SQL Server", words({"ON", "CONFLICT"})},
    {"INSERT OR", "SQLite's INSERT OR REPLACE/IGNORE, unknown to SQL Server", words({"INSERT", "OR"})},
    {"RETURNING", "SQLite's and PostgreSQL's clause; SQL Server takes OUTPUT or SCOPE_IDENTITY()",
     words({"RETURNING"})},
    {"TRUE / FALSE", "SQL Server has no boolean literals; write 1 and 0",
     [](const TokenList& t, qsizetype i, QStringView) { return t[i].is(u"TRUE") || t[i].is(u"FALSE"); }},
    {"CREATE TEMP", "SQLite's temporary tables; SQL Server names them #Table",
     [](const TokenList& t, qsizetype i, QStringView) {
         return words({"CREATE", "TEMP"})(t, i, {}) || words({"CREATE", "TEMPORARY"})(t, i, {});
     }},
};

// "file:line: construct (reason)" for every offence of the text, in the order of the text.
QStringList offences(const QString& file, const QString& text) {
    auto tokens = Lexer::tokenize(text);
    if (!tokens)
        return {file + QStringLiteral(": ") + tokens.error().message};
    QStringList found;
    for (qsizetype i = 0; i < tokens->size(); ++i) {
        for (const Refused& refused : kRefused) {
            if (refused.matches(*tokens, i, text))
                found.append(
                    QStringLiteral("%1:%2: %3 (%4)")
                        .arg(file)
                        .arg((*tokens)[i].line)
                        .arg(QString::fromUtf8(refused.construct), QString::fromUtf8(refused.reason)));
        }
    }
    return found;
}

// What a procedure's transaction lacks on a server where several terminals call it at once: one that
// changes more than one row runs with XACT_ABORT ON in a transaction of its own, takes its locks inside
// it, and rolls it back before each refusal that follows its start.
QStringList transactionFaults(const QString& file, const TokenList& procedure) {
    QStringList faults;
    const QString name = procedure.value(2).text;
    auto fault = [&](int line, const QString& what) {
        faults.append(QStringLiteral("%1:%2: %3 %4").arg(file).arg(line).arg(name, what));
    };
    int changes = 0;
    qsizetype begin = -1;
    bool xactAbort = false;
    for (qsizetype i = 0; i < procedure.size(); ++i) {
        const Token& t = procedure[i];
        // The table a change names: "UPDATE T", "INSERT [INTO] T", "DELETE [FROM] T"; a #table is the
        // connection's own and needs no lock.
        if (t.is(u"UPDATE") || t.is(u"INSERT") || t.is(u"DELETE")) {
            qsizetype table = i + 1;
            if (wordAt(procedure, table, u"INTO") || wordAt(procedure, table, u"FROM"))
                ++table;
            if (table < procedure.size() && !procedure[table].text.startsWith(u'#'))
                ++changes;
        } else if (t.is(u"EXEC") || t.is(u"EXECUTE")) {
            ++changes;
        } else if (words({"SET", "XACT_ABORT", "ON"})(procedure, i, {})) {
            xactAbort = true;
        } else if (begin < 0 && (words({"BEGIN", "TRAN"})(procedure, i, {}) ||
                                 words({"BEGIN", "TRANSACTION"})(procedure, i, {}))) {
            begin = i;
        } else if ((t.is(u"UPDLOCK") || t.is(u"HOLDLOCK")) && procedure[i - 1].kind == Token::Kind::LParen &&
                   begin < 0) {
            fault(t.line, QStringLiteral("takes a lock outside its transaction"));
        } else if (t.is(u"RAISERROR") && begin >= 0 && i > begin && !wordAt(procedure, i - 1, u"ROLLBACK") &&
                   !wordAt(procedure, i - 2, u"ROLLBACK")) {
            fault(t.line, QStringLiteral("refuses without rolling its transaction back"));
        }
    }
    if (changes > 1 && !xactAbort)
        fault(procedure.first().line, QStringLiteral("changes several rows without SET XACT_ABORT ON"));
    if (changes > 1 && begin < 0)
        fault(procedure.first().line,
              QStringLiteral("changes several rows without a transaction of its own"));
    return faults;
}

} // namespace

TEST(ServerFileDialect, EachRefusedConstructIsFoundOutsideCommentsAndTexts) {
    struct Case {
        const char* text;
        const char* construct; // "" when nothing is refused
    };
    const Case cases[] = {
        {"SELECT * FROM A, B WHERE A.x *= B.x", "*= / =*"},
        {"SELECT * FROM A, B WHERE A.x =* B.x", "*= / =*"},
        {"SELECT x FROM A LIMIT 1", "LIMIT"},
        {"CREATE TABLE A (ID integer PRIMARY KEY AUTOINCREMENT)", "AUTOINCREMENT"},
        {"CREATE TABLE IF NOT EXISTS A (x int)", "IF NOT EXISTS in CREATE"},
        {"IF NOT EXISTS (SELECT 1 FROM A) INSERT INTO A VALUES (1)", ""},
        {"SELECT \"texto\"", "\"double quotes\""},
        {"SELECT [Nombre] FROM A", ""},
        {"SELECT 'a' || 'b'", "||"},
        {"SELECT x | y FROM A", ""},
        {"SELECT ifnull(x, 0), Substr FROM A", "ifnull()"},
        {"SELECT substr(x, 1, 2)", "substr()"},
        {"SELECT last_insert_rowid()", "last_insert_rowid()"},
        {"SELECT strftime('%d', x)", "strftime()"},
        {"SELECT nerin_add(1, 2)", "nerin_*"},
        {"CREATE TABLE A (x TEXT, y REAL, z BLOB)", "TEXT"},
        {"INSERT INTO A VALUES (1) ON CONFLICT DO NOTHING", "ON CONFLICT"},
        {"INSERT OR REPLACE INTO A VALUES (1)", "INSERT OR"},
        {"DELETE FROM A RETURNING x", "RETURNING"},
        {"SELECT x FROM A WHERE y = TRUE", "TRUE / FALSE"},
        {"CREATE TEMP TABLE A (x int)", "CREATE TEMP"},
        {"-- LIMIT, ifnull(x), \"a\" || 'b'\nSELECT 'LIMIT || TRUE *= ifnull(x)' /* TEXT */", ""},
    };
    for (const Case& c : cases) {
        const QStringList found = offences(QStringLiteral("x.sql"), QString::fromUtf8(c.text));
        const QString expected = QString::fromUtf8(c.construct);
        if (expected.isEmpty()) {
            EXPECT_EQ(found, QStringList()) << c.text;
        } else {
            ASSERT_FALSE(found.isEmpty()) << c.text;
            EXPECT_TRUE(found.first().startsWith(QStringLiteral("x.sql:1: ") + expected + u' '))
                << c.text << " -> " << found.first().toStdString();
        }
    }
    EXPECT_EQ(
        offences(QStringLiteral("x.sql"), QStringLiteral("SELECT 1\nGO\nSELECT x\nFROM A LIMIT 2")).value(0),
        QStringLiteral("x.sql:4: LIMIT (SQLite's row limit; SQL Server takes TOP n)"));
}

TEST(ServerFileDialect, EveryServerFileKeepsToWhatSqlServerAndTheEngineBothAccept) {
    const QStringList scripts =
        nerin::DatabaseBuilder::schemaScripts() + nerin::DatabaseBuilder::demoScripts();
    ASSERT_GT(scripts.size(), 60);
    QStringList found;
    for (const QString& script : scripts) {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << script.toStdString();
        found +=
            offences(script.mid(script.indexOf(QStringLiteral("sql/"))), QString::fromUtf8(file.readAll()));
    }
    EXPECT_EQ(found, QStringList());
}

TEST(ServerFileDialect, ProceduresChangingSeveralRowsHoldTheirLocksInATransactionOfTheirOwn) {
    QStringList faults;
    int procedures = 0;
    for (const QString& script : nerin::DatabaseBuilder::schemaScripts()) {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << script.toStdString();
        auto tokens = Lexer::tokenize(QString::fromUtf8(file.readAll()));
        ASSERT_TRUE(tokens) << script.toStdString();
        TokenList batch;
        for (const Token& t : std::as_const(*tokens)) {
            if (!t.is(u"GO")) {
                batch.append(t);
                continue;
            }
            if (words({"CREATE", "PROCEDURE"})(batch, 0, {})) {
                ++procedures;
                faults += transactionFaults(script.mid(2), batch);
            }
            batch.clear();
        }
    }
    EXPECT_GE(procedures, 14);
    EXPECT_EQ(faults, QStringList());
}
