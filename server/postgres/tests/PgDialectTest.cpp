// The engine's translation for PostgreSQL on a real database: the restaurant's schema builds from
// the server files, every statement of the terminal is accepted by the server (names, types and
// functions resolve), and the catalogue reads tables as the translator needs them.
#include "base/tests/QtPrinters.h"
#include "server/ScriptRunner.h"
#include "server/postgres/PgCatalogue.h"
#include "server/postgres/PgConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/Parser.h"
#include "server/tsql/PostgresDialect.h"
#include "server/tsql/Translator.h"

#include <QDir>
#include <QFile>
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
        ASSERT_TRUE(m_link.execute(QStringLiteral("SET DateStyle = 'ISO, DMY'")));
    }

    // The PostgreSQL text of one T-SQL statement, each variable numbered after the literals as the
    // target numbers them; or "ERROR: " and why it was not translated.
    QString translate(const TokenList& tokens) {
        Translator translator(m_catalogue, m_dialect);
        auto translation = translator.translate(tokens);
        if (!translation)
            return QStringLiteral("ERROR: ") + translation.status().message();
        QString sql = translation->sql;
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
        return sql;
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

    // Runs the server files 1xx-5xx (tables, their data, views); the failures, one a line.
    QStringList buildSchema() {
        QStringList failures;
        const QDir folder(QStringLiteral(NERIN_SQL_DIR));
        for (const QString& file :
             folder.entryList({QStringLiteral("[1-5]*.sql")}, QDir::Files, QDir::Name)) {
            QFile script(folder.filePath(file));
            if (!script.open(QIODevice::ReadOnly)) {
                failures.append(file);
                continue;
            }
            for (const nerin::ScriptRunner::Batch& batch :
                 nerin::ScriptRunner::split(QString::fromUtf8(script.readAll()))) {
                for (const Statement& statement : sqlStatements(batch.text)) {
                    const QString sql = translate(statement.tokens);
                    auto done = sql.startsWith(QStringLiteral("ERROR: "))
                                    ? nerin::Result<PgConnection::Outcome>(
                                          Status::error(Status::Code::CommandTextError, sql))
                                    : m_link.execute(sql);
                    if (!done)
                        failures.append(QStringLiteral("%1:%2: %3\n  %4")
                                            .arg(file)
                                            .arg(batch.firstLine + statement.line - 1)
                                            .arg(done.status().message(), sql));
                    m_catalogue.forgetAll();
                }
            }
        }
        return failures;
    }

    PgTestDatabase m_database;
    PgConnection m_link;
    PgCatalogue m_catalogue{m_link};
    const PostgresDialect m_dialect;
};

} // namespace

TEST_F(PgDialectTest, TheSchemaBuildsAndEveryStatementOfTheTerminalIsAccepted) {
    const QStringList schema = buildSchema();
    EXPECT_EQ(schema, QStringList()) << qPrintable(schema.join(u'\n'));

    QFile corpus(QStringLiteral(NERIN_SQL_DIR "/tests/corpus.sql"));
    ASSERT_TRUE(corpus.open(QIODevice::ReadOnly));
    QStringList failures;
    int prepared = 0;
    for (const nerin::ScriptRunner::Batch& batch :
         nerin::ScriptRunner::split(QString::fromUtf8(corpus.readAll()))) {
        for (const Statement& statement : sqlStatements(batch.text)) {
            const QString sql = translate(statement.tokens);
            ++prepared;
            auto done = m_link.execute(QStringLiteral("PREPARE s AS ") + sql);
            if (done)
                done = m_link.execute(QStringLiteral("DEALLOCATE s"));
            else
                failures.append(QStringLiteral("corpus.sql:%1: %2\n  %3")
                                    .arg(batch.firstLine + statement.line - 1)
                                    .arg(done.status().message(), sql));
        }
    }
    EXPECT_GT(prepared, 100);
    EXPECT_EQ(failures, QStringList()) << failures.size() << " of " << prepared << "\n"
                                       << qPrintable(failures.join(u'\n'));
}
