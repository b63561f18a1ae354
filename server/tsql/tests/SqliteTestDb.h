#pragma once

#include "base/tests/QtPrinters.h"
#include "server/tsql/Catalogue.h"
#include "server/tsql/DateTimeText.h"
#include "server/tsql/Lexer.h"
#include "server/tsql/SqlFunctions.h"
#include "server/tsql/SqliteCatalogue.h"
#include "server/tsql/SqliteDialect.h"
#include "server/tsql/Translator.h"

#include <QMap>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <ostream>
#include <sqlite3.h>

namespace nerin::tsql::testing {

// An in-memory SQLite database with the run-time functions registered, a catalogue read from it
// (temporary tables included), and the means to translate T-SQL and run the translation the way the
// executor does: ?N bound from the literal tokens, @name from `variables`. Rows come back as texts,
// columns joined by "|", NULL as "NULL".
class SqliteTestDb : public Catalogue {
public:
    SqliteTestDb() {
        sqlite3_open(":memory:", &m_db);
        // As the engine runs it: "x" is always a name, never a string.
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        const Status registered = registerTsqlFunctions(m_db);
        EXPECT_TRUE(registered.isOk()) << registered.message().toStdString();
    }
    ~SqliteTestDb() override { sqlite3_close(m_db); }
    SqliteTestDb(const SqliteTestDb&) = delete;
    SqliteTestDb& operator=(const SqliteTestDb&) = delete;

    QMap<QString, QVariant> variables; // by name as written in the SQL: "@nfolio"
    QStringList lastColumns;           // the column names of the last statement run
    // The dialect translate() writes in: SQLite's unless a test sets another.
    const Dialect* dialect = &m_sqlite;

    // Runs SQLite text as it is; returns the error message, or "" on success.
    QString exec(const QString& sql) {
        char* error = nullptr;
        sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString message = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        return message;
    }

    // Read afresh each time, as the tests change the schema behind the catalogue's back.
    QStringList columnsOf(const QString& table) override { return SqliteCatalogue(m_db).columnsOf(table); }
    QString identityColumnOf(const QString& table) override {
        return SqliteCatalogue(m_db).identityColumnOf(table);
    }

    // The translation of one T-SQL statement; `tokens` receives its tokens.
    EngineResult<Translation> translate(const QString& tsql, TokenList* tokens = nullptr) {
        auto lexed = Lexer::tokenize(tsql);
        if (!lexed)
            return lexed.status();
        if (tokens)
            *tokens = *lexed;
        Translator translator(*this, *dialect);
        return translator.translate(*lexed);
    }

    // The SQLite text of one statement, or "ERROR: " and the message.
    QString sql(const QString& tsql) {
        auto translation = translate(tsql);
        return translation ? translation->sql : QStringLiteral("ERROR: ") + translation.error().message;
    }

    // Translates and runs one statement. On failure the first row is "ERROR: " and the message.
    QStringList rows(const QString& tsql) {
        TokenList tokens;
        auto translation = translate(tsql, &tokens);
        if (!translation)
            return {QStringLiteral("ERROR: ") + translation.error().message};
        return run(*translation, tokens);
    }

    // Runs SQLite text as it is and returns its rows.
    QStringList query(const QString& sql) {
        Translation plain;
        plain.sql = sql;
        return run(plain, {});
    }

    QStringList run(const Translation& translation, const TokenList& tokens) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, translation.sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
            sqlite3_finalize(s);
            return {QStringLiteral("ERROR: ") + message + QStringLiteral(" in ") + translation.sql};
        }
        for (int i = 1; i <= sqlite3_bind_parameter_count(s); ++i) {
            const QString name = QString::fromUtf8(sqlite3_bind_parameter_name(s, i));
            if (name.startsWith(u'?'))
                bindLiteral(s, i, tokens[translation.literalTokens[name.mid(1).toInt() - 1]]);
            else
                bindVariant(s, i, variables.value(name));
        }
        lastColumns.clear();
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            lastColumns.append(QString::fromUtf8(sqlite3_column_name(s, c)));
        QStringList result;
        int code = SQLITE_ROW;
        while ((code = sqlite3_step(s)) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(s); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                columns.append(text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
            }
            result.append(columns.join(u'|'));
        }
        if (code != SQLITE_DONE)
            result = {QStringLiteral("ERROR: ") + QString::fromUtf8(sqlite3_errmsg(m_db))};
        sqlite3_finalize(s);
        return result;
    }

private:
    static void bindLiteral(sqlite3_stmt* s, int i, const Token& token) {
        if (token.kind == Token::Kind::String) {
            const QByteArray text = canonicalize(token.text).value_or(token.text).toUtf8();
            sqlite3_bind_text(s, i, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            return;
        }
        bool whole = false;
        const qint64 value = token.text.toLongLong(&whole);
        if (whole)
            sqlite3_bind_int64(s, i, value);
        else
            sqlite3_bind_double(s, i, token.text.toDouble());
    }

    static void bindVariant(sqlite3_stmt* s, int i, const QVariant& value) {
        if (!value.isValid() || value.isNull()) {
            sqlite3_bind_null(s, i);
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(s, i, value.toLongLong());
        } else if (value.typeId() == QMetaType::Double) {
            sqlite3_bind_double(s, i, value.toDouble());
        } else {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(s, i, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
    }

    sqlite3* m_db = nullptr;
    SqliteDialect m_sqlite;
};

} // namespace nerin::tsql::testing
