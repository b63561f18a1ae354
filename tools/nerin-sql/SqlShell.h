#pragma once

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "server/ConnectionFactory.h"
#include "server/RespaldoSqlite.h"

#include <QByteArray>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <variant>

namespace nerin {

// The command-line SQL shell: runs T-SQL text against the restaurant database and prints what it
// returns, in the manner of the server's own command-line tool.
//
//   nerin-sql [--db FILE | --odbc CONNECTION | --pg CONNECTION] (-Q "text" | -i FILE...) [-b]
//
// Without --db, --odbc or --pg the database is the one the terminal's settings name (NERIN_CONFIG, else
// the standard location the terminal reads).
//   nerin-sql --create [--demo] (FILE | --pg CONNECTION)
//   nerin-sql --history DAYS (FILE | --pg CONNECTION)     (past days of business in a demo database)
//   nerin-sql --backup TARGET [--db FILE]         (online backup of a SQLite database)
//   nerin-sql --restore BACKUP [--db FILE]        (refused while any process has the database open)
// Without --db, --backup and --restore work on the SQLite database the settings name.
// --pg takes a libpq connection string; --create and --history without a file or --pg work on the
// PostgreSQL database the settings name.
//
// Options go in any order, before or after the file names; an option is never taken for a file name.
// Results print as tab-separated text under a header line; an error prints
// "Msg <number>, Level 16, State 1, Line <n>" and its message on standard error, and the next batch
// runs (with -b, nothing more runs). The exit status is 1 when anything failed.
class SqlShell {
public:
    SqlShell(FILE* out, FILE* err) : m_out(out), m_err(err) {}

    // `arguments` without the program name, as raw bytes, so that texts that are not valid UTF-8 are
    // refused instead of guessed.
    int run(const QList<QByteArray>& rawArguments);

private:
    // A database file, or a PostgreSQL database by its connection string.
    struct Database {
        QString name;
        bool postgres = false;
    };

    int usage(const QString& problem);
    // The database the terminal's settings name, checked; or, after saying why there is none, the
    // program's exit code.
    std::variant<DatabaseSettings, int> settingsDatabase();
    int create(const Database& database, bool demo);
    int history(const Database& database, int days);
    int backup(const QString& database, const QString& target);
    int restore(const QString& database, const QString& backupFile);
    // Runs a page-by-page copy of a database, showing its progress, then says `doneMessage` or why it
    // failed; the program's exit code.
    using CopyWithProgress = std::function<Status(const RespaldoSqlite::Avance& progress)>;
    int copyShowingPages(const CopyWithProgress& copy, const QString& doneMessage);
    void progressBar(qint64 done, qint64 total, const QString& unit);
    int runScripts(Connection& connection, const QList<QByteArray>& texts, const QStringList& names,
                   bool stopAtFirstFailure);
    void printResults(const QList<RecordSet>& results);
    void printError(qint64 number, int line, const QString& message);

    FILE* m_out;
    FILE* m_err;
};

} // namespace nerin
