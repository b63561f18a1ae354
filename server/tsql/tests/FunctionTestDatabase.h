#pragma once

#include "server/tsql/SqlFunctions.h"

#include <charconv>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <string_view>

// An in-memory SQLite database with the T-SQL functions registered, and the values of the queries the
// tests run on it written so that their types show:
//   NULL          a null
//   12            an integer
//   12.0, 12.5    a double
//   'text'        a text
//   error: ...    the statement failed with this message
class FunctionTestDatabase {
public:
    FunctionTestDatabase() {
        EXPECT_EQ(sqlite3_open(":memory:", &m_db), SQLITE_OK);
        const nerin::Status registered = nerin::tsql::registerTsqlFunctions(m_db);
        EXPECT_TRUE(registered.isOk()) << registered.message().toStdString();
    }
    ~FunctionTestDatabase() { sqlite3_close(m_db); }
    FunctionTestDatabase(const FunctionTestDatabase&) = delete;
    FunctionTestDatabase& operator=(const FunctionTestDatabase&) = delete;

    // The value of "SELECT <expression>".
    std::string eval(const std::string& expression) { return rows(joined("SELECT ", expression)); }

    // The first column of every row, separated by "|"; or the error.
    std::string rows(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            return joined("error: ", sqlite3_errmsg(m_db));
        std::string result;
        int step = SQLITE_ROW;
        for (bool first = true; (step = sqlite3_step(statement)) == SQLITE_ROW; first = false)
            result += joined(first ? "" : "|", cell(statement));
        if (step != SQLITE_DONE)
            result = joined("error: ", sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return result;
    }

    // Runs statements that must succeed.
    void exec(const std::string& sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << sql << ": " << (error ? error : "");
        sqlite3_free(error);
    }

private:
    // Texts one after another. Appending, rather than "literal" + std::string, keeps GCC 12 at -O3 from
    // a false -Wrestrict warning about the library's own copy.
    template <typename... Texts> static std::string joined(const Texts&... texts) {
        std::string result;
        (result.append(std::string_view(texts)), ...);
        return result;
    }

    static std::string cell(sqlite3_stmt* statement) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_NULL:
            return "NULL";
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_column_int64(statement, 0));
        case SQLITE_FLOAT: {
            char buffer[64];
            const auto written =
                std::to_chars(buffer, buffer + sizeof buffer, sqlite3_column_double(statement, 0));
            std::string text(buffer, written.ptr);
            if (text.find_first_of(".en") == std::string::npos)
                text += ".0";
            return text;
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            return joined("'",
                          std::string_view(text ? text : "",
                                           static_cast<std::size_t>(sqlite3_column_bytes(statement, 0))),
                          "'");
        }
        }
    }

    sqlite3* m_db = nullptr;
};

// One expression and the value it must give, as FunctionTestDatabase writes values.
struct ExpressionCase {
    const char* expression;
    const char* expected;
};

// Checks every case on one database, naming the expression of each failure.
inline void expectValues(std::initializer_list<ExpressionCase> cases) {
    FunctionTestDatabase db;
    for (const ExpressionCase& c : cases)
        EXPECT_EQ(db.eval(c.expression), c.expected) << c.expression;
}
