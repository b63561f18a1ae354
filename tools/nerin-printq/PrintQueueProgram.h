#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <cstdio>

namespace nerin {

// The command line of nerin-printq, the print-queue program:
//
//   nerin-printq [--db FILE | --odbc CONNECTION] [--once] [--intervalo MS] [--pausa MS]
//                [--pausa-maxima MS] [--espera MS] [--reclamo MS] [--abandono MS]
//   nerin-printq [--db FILE | --odbc CONNECTION] --ver JOB
//
// Without --db or --odbc the database is the one the terminal's settings name (NERIN_CONFIG, else the
// standard location), reached as the terminal reaches it. --once prints what is queued and exits
// (status 1 when something was left unprinted); otherwise the queue is read every --intervalo
// milliseconds (1000) until `stop` is set. A failing printer is retried after --pausa milliseconds
// (1000), doubled after each failure up to --pausa-maxima (60000); a printer has --espera milliseconds
// (10000) to accept a job. A job being sent is claimed for --reclamo milliseconds (60000, at least
// the --espera time and ten seconds more), so that other copies of the program on the same database
// leave it alone until the claim runs out. A job left open by its terminal for --abandono milliseconds
// (600000) is marked failed and logged. --ver writes a job's plain text to standard output, for
// previews.
//
// Relative file and folder ports are taken from the state folder (NERIN_STATE). Every event goes to
// standard error and to the event log "NerinCola<ddmmyyyy>.log" in the log folder.
class PrintQueueProgram {
public:
    PrintQueueProgram(FILE* out, FILE* err) : m_out(out), m_err(err) {}

    int run(const QList<QByteArray>& arguments, const std::atomic<bool>& stop);

private:
    int usage(const char* problem);

    FILE* m_out;
    FILE* m_err;
};

} // namespace nerin
