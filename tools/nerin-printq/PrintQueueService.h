#pragma once

#include "base/Status.h"
#include "tools/nerin-printq/PrintQueueStore.h"
#include "tools/nerin-printq/PrinterPort.h"

#include <QSet>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace nerin {

class Connection;

// Prints the jobs of the print queue. Each printer is served on its own: its jobs go out one at a time,
// oldest first, each sent on a thread of its own so that a slow or refusing printer never holds up the
// others. A printer is the one a job's printer redirection leads to (PrinterDirectory::resolve), so
// printers redirected to the same printer share its turn.
//
// A job is marked printed only after its printer accepted all of its bytes (PortWriter). When a
// printer fails, the job is marked failed with the reason ('E', Intentos, Ultimo_Error), the failure is
// logged, and the printer is tried again after a pause that doubles after each failure up to a
// maximum; its next attempt is again its oldest job, so jobs never overtake each other. A job that
// cannot be routed (unknown printer, redirection loop, unusable port) is handled the same way, so a
// corrected printer table lets it print.
//
// Several programs may serve one database: a job is claimed before it is sent (PrintQueueStore::claim)
// and skipped while another program's claim on it runs, and a printer whose oldest job is held
// elsewhere waits for it. A job left open by its terminal for longer than the grace period is given
// up and logged, so it shows up instead of staying open for ever.
//
// The database is only touched from the thread that calls run(). Stopping waits for the jobs being
// sent (each bounded by the send time-out) and records how they went, so no job is lost; a job whose
// sending is cut short by killing the program stays queued and prints again.
class PrintQueueService {
public:
    using Clock = std::chrono::steady_clock;
    using Log = std::function<void(const QString& line)>;

    struct Options {
        // Print what is queued and return: each printer is tried once, a failing one keeps its jobs.
        bool once = false;
        int pollMs = 1000;         // how often the queue is read when there is nothing to do
        int firstPauseMs = 1000;   // the pause after a printer's first failure
        int maxPauseMs = 60000;    // the longest pause
        int sendTimeoutMs = 10000; // how long a printer may take to accept a job
        int claimMs = 60000;       // how long a claim holds off other programs; at least the send
                                   // time-out and ten seconds more
        int abandonMs = 600000;    // how long a job may stay open before it is given up
        QString baseFolder;        // relative file and folder ports
    };

    PrintQueueService(Connection& connection, Options options, Log log);
    ~PrintQueueService();

    PrintQueueService(const PrintQueueService&) = delete;
    PrintQueueService& operator=(const PrintQueueService&) = delete;

    // Serves the queue until `stop` is set or, with `once`, until nothing more can be printed now.
    // Returns 0, or 1 when a job taken in this run is left unprinted (only reported with `once`).
    int run(const std::atomic<bool>& stop);

    int printed() const { return m_printed; }
    int failures() const { return m_failures; }
    int abandoned() const { return m_abandoned; }

private:
    struct Lane {
        std::thread sender;
        bool busy = false;
        qint32 job = 0;
        QString printer;     // for messages
        qint32 unmarked = 0; // a job printed whose mark could not be written yet
        int pauseMs = 0;     // 0 while the printer works
        Clock::time_point retryAt{};
        bool gaveUp = false; // with `once`: failed in this run
    };
    struct Outcome {
        qint32 lane = 0;
        qint32 job = 0;
        Status status;
    };

    enum class Round { Idle, Dispatched, DatabaseError };

    void collect();
    void databaseProblem(const Status& status);
    void recordFailure(Lane& lane, qint32 job, const QString& printer, const QString& reason);
    Round dispatch(const std::atomic<bool>& stop);
    bool abandonOpenJobs();
    bool anyBusy() const;
    void wait(const std::atomic<bool>& stop);

    PrintQueueStore m_store;
    Options m_options;
    Log m_log;
    std::map<qint32, Lane> m_lanes;
    QSet<qint32> m_unprinted; // jobs that failed in this run and have not printed since
    QString m_lastDatabaseError;
    int m_printed = 0;
    int m_failures = 0;
    int m_abandoned = 0;

    std::mutex m_mutex;
    std::condition_variable m_signal;
    std::deque<Outcome> m_outcomes; // guarded by m_mutex
};

} // namespace nerin
