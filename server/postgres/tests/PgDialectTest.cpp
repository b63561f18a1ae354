// The engine's translation for PostgreSQL on a real database: the restaurant's schema and base rows
// build from the server files, every statement of the terminal and of its procedures is accepted by
// the server (names, types and functions resolve), translated statements mean what they mean in
// T-SQL, and the catalogue reads tables as the translator needs them.
#include "base/tests/QtPrinters.h"
#include "server/ScriptRunner.h"
#include "server/postgres/NumberedStatement.h"
#include "server/postgres/PgCatalogue.h"
#include "server/postgres/PgConnection.h"
#include "server/postgres/PgRuntime.h"
#include "server/postgres/testing/PgTestFixtures.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/PostgresDialect.h"
#include "server/tsql/Translator.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <gtest/gtest.h>

using nerin::DbValue;
using nerin::PgCatalogue;
using nerin::PgConnection;
using nerin::Status;
using nerin::testing::PgTestDatabase;
using namespace nerin::tsql;

namespace {

class PgDialectTest : public nerin::testing::PgRuntimeDatabaseTest {
protected:
    // The PostgreSQL text of one T-SQL statement, each variable numbered after the literals as the
    // target numbers them; `variables` receives their names in that order.
    nerin::tsql::EngineResult<Translation> translate(const TokenList& tokens, QStringList& variables) {
        Translator translator(m_catalogue, m_dialect);
        auto translation = translator.translate(tokens);
        if (!translation)
            return translation;
        nerin::NumberedStatement numbered =
            nerin::numberStatement(translation->sql, translation->literalTokens.size());
        translation->sql = std::move(numbered.sql);
        variables = std::move(numbered.names);
        return translation;
    }

    // The values of the literals of `translation`, and NULL for its variables.
    static QList<DbValue> values(const TokenList& tokens, const Translation& translation) {
        QList<DbValue> found;
        for (int index : translation.literalTokens) {
            const Token& t = tokens[index];
            bool whole = false;
            const qint64 n = t.text.toLongLong(&whole);
            if (t.kind == Token::Kind::String)
                found.append(DbValue(t.text));
            else
                found.append(whole ? DbValue(n) : DbValue(t.text.toDouble()));
        }
        while (translation.sql.contains(u'$' + QString::number(found.size() + 1)))
            found.append(DbValue());
        return found;
    }

    // The types the target binds `values` with: whole numbers as integer (bigint when larger), other
    // numbers as numeric, texts as unknown; the variables, the last of them, by their declared type.
    QString parameterTypes(const QList<DbValue>& values, const QStringList& variables) const {
        QStringList types;
        for (qsizetype k = 0; k < values.size() - variables.size(); ++k) {
            const DbValue& v = values[k];
            if (v.type() == DbValue::Type::Text)
                types.append(QStringLiteral("unknown"));
            else if (v.type() == DbValue::Type::Double)
                types.append(QStringLiteral("numeric"));
            else
                types.append(v.toInt() == qint32(v.toInt()) ? QStringLiteral("integer")
                                                            : QStringLiteral("bigint"));
        }
        for (const QString& name : variables)
            types.append(m_variableTypes.value(name, QStringLiteral("unknown")));
        return types.isEmpty() ? QString() : u'(' + types.join(u',') + u')';
    }

    // Records the type a variable's values are bound with.
    void declare(const VariableDeclaration& variable) {
        const QString type = variable.type.left(variable.type.indexOf(u'(')).toLower();
        QString bound = QStringLiteral("unknown");
        if (type == u"int" || type == u"smallint" || type == u"tinyint" || type == u"bit")
            bound = QStringLiteral("integer");
        else if (type == u"bigint")
            bound = QStringLiteral("bigint");
        else if (type == u"money" || type == u"smallmoney" || type == u"decimal" || type == u"numeric")
            bound = QStringLiteral("numeric");
        else if (type == u"float" || type == u"real")
            bound = QStringLiteral("double precision");
        else if (type.contains(u"date"))
            bound = QStringLiteral("timestamp");
        m_variableTypes.insert(variable.name.toLower(), bound);
    }

    // Translates one statement and sends it: queries and changes are only prepared when
    // `prepareOnly`; anything else runs, with NULL for its variables, so that the tables it creates
    // are there for the statements after it. Empty, or why it failed.
    QString send(const TokenList& tokens, bool prepareOnly) {
        ++m_sent;
        QStringList variables;
        auto translation = translate(tokens, variables);
        if (!translation)
            return translation.error().message;
        const QString& sql = translation->sql;
        const bool preparable =
            prepareOnly &&
            (sql.startsWith(QStringLiteral("SELECT")) || sql.startsWith(QStringLiteral("INSERT")) ||
             sql.startsWith(QStringLiteral("UPDATE")) || sql.startsWith(QStringLiteral("DELETE")));
        auto done =
            preparable
                ? m_link.execute(QStringLiteral("PREPARE s %1 AS %2")
                                     .arg(parameterTypes(values(tokens, *translation), variables), sql))
                : m_link.execute(sql, values(tokens, *translation));
        if (done && preparable)
            done = m_link.execute(QStringLiteral("DEALLOCATE s"));
        m_catalogue.forgetAll();
        return done ? QString() : done.status().message() + QStringLiteral("\n  ") + sql;
    }

    // Sends every statement of a procedure's body the interpreter sends to the database: SQL, and
    // the expressions and conditions it evaluates with a SELECT.
    void sendBody(const std::vector<Statement>& statements, const QString& where, QStringList& failures) {
        auto word = [](const char* text) {
            return Token{Token::Kind::Word, QString::fromLatin1(text), 0, 0, 1};
        };
        auto number = [](const char* text) {
            return Token{Token::Kind::Number, QString::fromLatin1(text), 0, 0, 1};
        };
        for (const Statement& statement : statements) {
            QList<TokenList> sent;
            switch (statement.kind) {
            case Statement::Kind::Sql:
            case Statement::Kind::SelectAssign:
                sent.append(statement.tokens);
                break;
            case Statement::Kind::If:
            case Statement::Kind::While:
                sent.append(TokenList{word("SELECT"), word("CASE"), word("WHEN")} + statement.tokens +
                            TokenList{word("THEN"), number("1"), word("ELSE"), number("0"), word("END")});
                break;
            case Statement::Kind::Declare:
                for (const VariableDeclaration& variable : statement.declarations) {
                    declare(variable);
                    if (!variable.initializer.isEmpty())
                        sent.append(TokenList{word("SELECT")} + variable.initializer);
                }
                break;
            case Statement::Kind::Set:
                sent.append(TokenList{word("SELECT")} + statement.assignments.front().expression);
                break;
            case Statement::Kind::Return:
                if (!statement.tokens.isEmpty())
                    sent.append(TokenList{word("SELECT")} + statement.tokens);
                break;
            default:
                break;
            }
            for (const TokenList& tokens : sent) {
                if (const QString failure = send(tokens, true); !failure.isEmpty())
                    failures.append(QStringLiteral("%1:%2: %3").arg(where).arg(statement.line).arg(failure));
            }
            sendBody(statement.children, where, failures);
        }
    }

    // Sends every statement of a T-SQL script, and of the procedures it creates; the failures, one a
    // line.
    QStringList sendScript(const QString& path, bool prepareOnly) {
        QFile script(path);
        if (!script.open(QIODevice::ReadOnly))
            return {path};
        QStringList failures;
        for (const nerin::ScriptRunner::Batch& batch :
             nerin::ScriptRunner::split(QString::fromUtf8(script.readAll()))) {
            const QString where = QFileInfo(path).fileName();
            auto tokens = Lexer::tokenize(batch.text);
            auto parsed = tokens ? Parser::parseBatch(*tokens)
                                 : nerin::tsql::EngineResult<std::vector<Statement>>(tokens.status());
            if (!parsed) {
                failures.append(
                    QStringLiteral("%1:%2: %3").arg(where).arg(batch.firstLine).arg(parsed.error().message));
                continue;
            }
            for (const Statement& statement : *parsed) {
                if (statement.kind == Statement::Kind::CreateProcedure) {
                    m_variableTypes.clear();
                    m_variableTypes.insert(QStringLiteral("@__rowcount"), QStringLiteral("integer"));
                    m_variableTypes.insert(QStringLiteral("@__trancount"), QStringLiteral("integer"));
                    for (const VariableDeclaration& parameter : statement.declarations)
                        declare(parameter);
                    sendBody(statement.children, QStringLiteral("%1 (%2)").arg(where, statement.name),
                             failures);
                } else if (statement.kind == Statement::Kind::Sql) {
                    if (const QString failure = send(statement.tokens, prepareOnly); !failure.isEmpty())
                        failures.append(QStringLiteral("%1:%2: %3")
                                            .arg(where)
                                            .arg(batch.firstLine + statement.line - 1)
                                            .arg(failure));
                }
            }
        }
        return failures;
    }

    // Translates one T-SQL statement and runs it, its literals bound as values; each row's fields
    // joined by "|", or "ERROR: " and the message.
    QStringList rows(const char* tsql) {
        auto tokens = Lexer::tokenize(QString::fromUtf8(tsql));
        if (!tokens)
            return {QStringLiteral("ERROR: ") + tokens.error().message};
        QStringList variables;
        auto translation = translate(*tokens, variables);
        if (!translation)
            return {QStringLiteral("ERROR: ") + translation.error().message};
        auto result = m_link.query(translation->sql, values(*tokens, *translation));
        m_catalogue.forgetAll();
        if (!result)
            return {QStringLiteral("ERROR: ") + result.status().message()};
        QStringList found;
        for (const QList<DbValue>& row : result->rows()) {
            QStringList fields;
            for (const DbValue& field : row)
                fields.append(field.toString());
            found.append(fields.join(u'|'));
        }
        return found;
    }

    PgCatalogue m_catalogue{m_link};
    const PostgresDialect m_dialect{};
    int m_sent = 0;
    QHash<QString, QString> m_variableTypes; // PostgreSQL type by lower-case "@name"
};

} // namespace

TEST_F(PgDialectTest, TheSchemaBuildsAndEveryStatementOfTheTerminalAndItsProceduresIsAccepted) {
    QStringList failures;
    const QDir folder(QStringLiteral(NERIN_SQL_DIR));
    for (const QString& file : folder.entryList({QStringLiteral("[1-6]*.sql")}, QDir::Files, QDir::Name))
        failures += sendScript(folder.filePath(file), false);
    ASSERT_EQ(failures, QStringList()) << qPrintable(failures.join(u'\n'));
    // The base rows came in with their values: the working date is today's, "ddmmyyyy".
    EXPECT_EQ(rows("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro = 'fecha_trabajo'"),
              QStringList({QDate::currentDate().toString(QStringLiteral("ddMMyyyy"))}));

    int sent = m_sent;
    failures = sendScript(folder.filePath(QStringLiteral("tests/corpus.sql")), true);
    EXPECT_GT(m_sent - sent, 300);
    EXPECT_EQ(failures, QStringList()) << failures.size() << " of " << m_sent - sent << "\n"
                                       << qPrintable(failures.join(u'\n'));

    // The work tables the terminal leaves for the printing procedures.
    for (const char* table :
         {"CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (500),ID_Impresora "
          "Int,Tipo Char(1), Tiempo Int)",
          "CREATE TABLE #Tmp_Imprimir_C (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora "
          "Int,Tipo Char(1))"}) {
        auto tokens = Lexer::tokenize(QString::fromLatin1(table));
        ASSERT_TRUE(tokens);
        ASSERT_EQ(send(*tokens, false), QString());
    }
    sent = m_sent;
    failures.clear();
    for (const QString& file : folder.entryList({QStringLiteral("7*.sql")}, QDir::Files, QDir::Name))
        failures += sendScript(folder.filePath(file), true);
    EXPECT_GT(m_sent - sent, 100);
    EXPECT_EQ(failures, QStringList()) << failures.size() << " of " << m_sent - sent << "\n"
                                       << qPrintable(failures.join(u'\n'));
}

TEST_F(PgDialectTest, TranslatedStatementsMeanOnPostgresWhatTheyMeanInTsql) {
    for (const char* tsql : {"CREATE TABLE Producto (ID int IDENTITY, Nombre varchar(30), Estado char(1))",
                             "INSERT INTO Producto (Nombre, Estado) VALUES ('Café', 'A')",
                             "INSERT INTO Producto (Nombre, Estado) VALUES ('CAFE', 'A')",
                             "INSERT INTO Producto (Nombre, Estado) VALUES ('Pan\\x', 'B')",
                             "INSERT INTO Producto (Nombre, Estado) VALUES ('pan_1', 'B')",
                             "INSERT INTO Producto (Nombre, Estado) VALUES (NULL, 'C')"})
        ASSERT_EQ(rows(tsql), QStringList()) << tsql;
    const struct {
        const char* tsql;
        QStringList rows;
    } cases[] = {
        // LIKE ignores case but not accents, and takes "\" as a character.
        {"SELECT Nombre FROM Producto WHERE Nombre LIKE 'cafe'", {"CAFE"}},
        {"SELECT Nombre FROM Producto WHERE Nombre LIKE 'PAN\\%'", {"Pan\\x"}},
        {"SELECT Nombre FROM Producto WHERE Nombre NOT LIKE 'p%' ORDER BY ID", {"Café", "CAFE"}},
        {"SELECT Nombre FROM Producto WHERE Nombre LIKE 'pan!_%' ESCAPE '!'", {"pan_1"}},
        // Texts that are not columns compare without regard to case too.
        {"SELECT COUNT(*) FROM Producto WHERE 'a' = 'A' AND LEFT(Nombre, 1) = 'c'", {"2"}},
        // NULL sorts lowest.
        {"SELECT TOP 2 Estado, Nombre FROM Producto ORDER BY Nombre", {"C|", "A|CAFE"}},
        {"SELECT TOP 1 Estado FROM Producto ORDER BY Nombre DESC, ID", {"B"}},
        {"DELETE p FROM Producto p JOIN Producto q ON q.ID = p.ID WHERE q.Estado = 'B'", {}},
        {"SELECT * INTO #Copia FROM Producto", {}},
        {"SELECT ID, [NOMBRE] FROM #COPIA ORDER BY 1", {"1|Café", "2|CAFE", "5|"}},
        {"DROP TABLE #copia", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(c.tsql), c.rows) << c.tsql;
}

TEST_F(PgDialectTest, TheCatalogueReadsTablesAsTheTranslatorNeedsThem) {
    for (const char* tsql : {"CREATE TABLE Producto (ID int IDENTITY, Nombre varchar(30), [Key] int)",
                             "CREATE TABLE #Copia (A int, B int)"})
        ASSERT_EQ(rows(tsql), QStringList()) << tsql;
    const struct {
        const char* table;
        QStringList columns;
        const char* identity;
    } cases[] = {
        {"Producto", {"id", "nombre", "key"}, "id"},
        {"PRODUCTO", {"id", "nombre", "key"}, "id"},
        {"#COPIA", {"a", "b"}, ""},
        {"Nada", {}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_catalogue.columnsOf(QString::fromUtf8(c.table)), c.columns) << c.table;
        EXPECT_EQ(m_catalogue.identityColumnOf(QString::fromUtf8(c.table)), QString::fromUtf8(c.identity))
            << c.table;
    }

    // Remembered until forgotten.
    ASSERT_TRUE(m_link.execute(QStringLiteral("ALTER TABLE producto ADD precio numeric")));
    EXPECT_EQ(m_catalogue.columnsOf(QStringLiteral("producto")).size(), 3);
    m_catalogue.forget(QStringLiteral("Producto"));
    EXPECT_EQ(m_catalogue.columnsOf(QStringLiteral("producto")).size(), 4);

    // Without the engine's table of view texts there are none, and the caller's transaction goes on.
    ASSERT_TRUE(m_link.execute(QStringLiteral("ALTER TABLE nerin_views RENAME TO nerin_views_aparte")));
    ASSERT_TRUE(m_link.begin());
    EXPECT_EQ(m_catalogue.viewDefinition(QStringLiteral("Vw_Uno")), QString());
    EXPECT_TRUE(m_link.execute(QStringLiteral("SELECT 1")));
    ASSERT_TRUE(m_link.commit());
    ASSERT_TRUE(m_link.execute(
        QStringLiteral("ALTER TABLE nerin_views_aparte RENAME TO nerin_views;"
                       "INSERT INTO nerin_views VALUES ('Vw_Uno', 'CREATE VIEW Vw_Uno AS SELECT 1')")));
    m_catalogue.forgetAll();
    EXPECT_EQ(m_catalogue.viewDefinition(QStringLiteral("VW_UNO")),
              QStringLiteral("CREATE VIEW Vw_Uno AS SELECT 1"));
}
