// The engine's translation for PostgreSQL on a real database: the restaurant's schema builds from
// the server files, every statement of the terminal is accepted by the server (names, types and
// functions resolve), and the catalogue reads tables as the translator needs them.
#include "base/tests/QtPrinters.h"
#include "server/ScriptRunner.h"
#include "server/postgres/PgCatalogue.h"
#include "server/postgres/PgConnection.h"
#include "server/postgres/PgRuntime.h"
#include "server/postgres/testing/PgTestDatabase.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/PostgresDialect.h"
#include "server/tsql/Translator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using nerin::DbValue;
using nerin::PgCatalogue;
using nerin::PgConnection;
using nerin::Status;
using nerin::testing::PgTestDatabase;
using namespace nerin::tsql;

namespace {

class PgDialectTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        const Status created = m_database.create();
        ASSERT_TRUE(created.isOk()) << qPrintable(created.message());
        const Status opened = m_link.open(m_database.connInfo(), QStringLiteral("nerin-pruebas"));
        ASSERT_TRUE(opened.isOk()) << qPrintable(opened.message());
        const Status installed = nerin::PgRuntime::install(m_link);
        ASSERT_TRUE(installed.isOk()) << qPrintable(installed.message());
    }

    // The PostgreSQL text of one T-SQL statement, each variable numbered after the literals as the
    // target numbers them.
    nerin::Result<Translation> translate(const TokenList& tokens) {
        Translator translator(m_catalogue, m_dialect);
        auto translation = translator.translate(tokens);
        if (!translation)
            return translation;
        QString& sql = translation->sql;
        QStringList variables;
        const int literals = static_cast<int>(translation->literalTokens.size());
        QChar quote;
        for (qsizetype i = 0; i < sql.size(); ++i) {
            const QChar c = sql[i];
            if (!quote.isNull()) {
                quote = c == quote ? QChar() : quote;
            } else if (c == u'\'' || c == u'"') {
                quote = c;
            } else if (c == u'@') {
                qsizetype end = i + 1;
                while (end < sql.size() &&
                       (sql[end].isLetterOrNumber() || sql[end] == u'_' || sql[end] == u'$'))
                    ++end;
                const QString name = sql.mid(i, end - i);
                if (!variables.contains(name))
                    variables.append(name);
                const QString marker = u'$' + QString::number(literals + variables.indexOf(name) + 1);
                sql.replace(i, end - i, marker);
                i += marker.size() - 1;
            }
        }
        return translation;
    }

    // The types the target binds the parameters of `translation` with: whole numbers as integer
    // (bigint when larger), other numbers as numeric, texts and variables as unknown.
    static QString parameterTypes(const TokenList& tokens, const Translation& translation) {
        QStringList types;
        for (int index : translation.literalTokens) {
            const Token& t = tokens[index];
            bool whole = false;
            const qint64 n = t.text.toLongLong(&whole);
            if (t.kind != Token::Kind::Number)
                types.append(QStringLiteral("unknown"));
            else if (!whole)
                types.append(QStringLiteral("numeric"));
            else
                types.append(n == qint32(n) ? QStringLiteral("integer") : QStringLiteral("bigint"));
        }
        while (translation.sql.contains(u'$' + QString::number(types.size() + 1)))
            types.append(QStringLiteral("unknown"));
        return types.isEmpty() ? QString() : u'(' + types.join(u',') + u')';
    }

    // The SQL statements of a T-SQL batch, as the engine's interpreter finds them.
    static std::vector<Statement> sqlStatements(const QString& batch) {
        std::vector<Statement> found;
        auto tokens = Lexer::tokenize(batch);
        if (!tokens)
            return found;
        auto parsed = Parser::parseBatch(*tokens);
        if (!parsed)
            return found;
        for (Statement& s : *parsed) {
            if (s.kind == Statement::Kind::Sql)
                found.push_back(std::move(s));
        }
        return found;
    }

    // Translates every SQL statement of a T-SQL script and sends it to the server; the failures,
    // one a line. Queries and changes are only prepared when `prepareOnly`; anything else runs, with
    // NULL for its parameters, so that the tables it creates are there for the statements after it.
    QStringList send(const QString& path, bool prepareOnly) {
        QFile script(path);
        if (!script.open(QIODevice::ReadOnly))
            return {path};
        QStringList failures;
        for (const nerin::ScriptRunner::Batch& batch :
             nerin::ScriptRunner::split(QString::fromUtf8(script.readAll()))) {
            for (const Statement& statement : sqlStatements(batch.text)) {
                ++m_sent;
                auto translation = translate(statement.tokens);
                if (!translation) {
                    failures.append(QStringLiteral("%1:%2: %3")
                                        .arg(QFileInfo(path).fileName())
                                        .arg(batch.firstLine + statement.line - 1)
                                        .arg(translation.status().message()));
                    continue;
                }
                const QString& sql = translation->sql;
                const bool preparable =
                    !sql.startsWith(QStringLiteral("CREATE")) && !sql.startsWith(QStringLiteral("DROP")) &&
                    !sql.startsWith(QStringLiteral("TRUNCATE")) && !sql.startsWith(QStringLiteral("ALTER"));
                auto done =
                    prepareOnly && preparable
                        ? m_link.execute(QStringLiteral("PREPARE s %1 AS %2")
                                             .arg(parameterTypes(statement.tokens, *translation), sql))
                        : m_link.execute(sql, QList<DbValue>(sql.count(u'$'), DbValue()));
                if (done && prepareOnly && preparable)
                    done = m_link.execute(QStringLiteral("DEALLOCATE s"));
                m_catalogue.forgetAll();
                if (!done)
                    failures.append(QStringLiteral("%1:%2: %3\n  %4")
                                        .arg(QFileInfo(path).fileName())
                                        .arg(batch.firstLine + statement.line - 1)
                                        .arg(done.status().message(), sql));
            }
        }
        return failures;
    }

    PgTestDatabase m_database;
    PgConnection m_link;
    PgCatalogue m_catalogue{m_link};
    const PostgresDialect m_dialect;
    int m_sent = 0;
};

} // namespace

TEST_F(PgDialectTest, TheSchemaBuildsAndEveryStatementOfTheTerminalIsAccepted) {
    QStringList failures;
    const QDir folder(QStringLiteral(NERIN_SQL_DIR));
    for (const QString& file : folder.entryList({QStringLiteral("[1-5]*.sql")}, QDir::Files, QDir::Name))
        failures += send(folder.filePath(file), false);
    ASSERT_EQ(failures, QStringList()) << qPrintable(failures.join(u'\n'));
    const int schema = m_sent;

    failures = send(folder.filePath(QStringLiteral("tests/corpus.sql")), true);
    EXPECT_GT(m_sent - schema, 100);
    EXPECT_EQ(failures, QStringList()) << failures.size() << " of " << m_sent - schema << "\n"
                                       << qPrintable(failures.join(u'\n'));
}
