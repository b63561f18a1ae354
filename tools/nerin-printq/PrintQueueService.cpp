#include "tools/nerin-printq/PrintQueueService.h"

#include "tools/nerin-printq/PortWriter.h"

#include <algorithm>
#include <vector>

namespace nerin {

namespace {

// The job a printer would print next, and why it cannot when it cannot be routed.
struct Candidate {
    qint32 printer = 0; // the printer that prints it
    qint32 origin = 0;  // the printer it was queued for
    qint32 job = 0;
    Status route;
};

} // namespace

PrintQueueService::PrintQueueService(Connection& connection, Options options, Log log)
    : m_store(connection, std::max(options.claimMs, options.sendTimeoutMs + 10000)),
      m_options(std::move(options)), m_log(std::move(log)) {}

PrintQueueService::~PrintQueueService() {
    for (auto& [key, lane] : m_lanes) {
        if (lane.sender.joinable())
            lane.sender.join();
    }
}

bool PrintQueueService::anyBusy() const {
    return std::any_of(m_lanes.begin(), m_lanes.end(), [](const auto& entry) { return entry.second.busy; });
}

void PrintQueueService::collect() {
    std::deque<Outcome> outcomes;
    {
        const std::lock_guard lock(m_mutex);
        outcomes.swap(m_outcomes);
    }
    for (Outcome& outcome : outcomes) {
        Lane& lane = m_lanes[outcome.lane];
        if (lane.sender.joinable())
            lane.sender.join();
        lane.busy = false;
        if (!outcome.status) {
            recordFailure(lane, outcome.job, lane.printer, outcome.status.message());
            continue;
        }
        if (lane.pauseMs > 0)
            m_log(QStringLiteral("La impresora %1 volvió a imprimir").arg(lane.printer));
        lane.pauseMs = 0;
        lane.retryAt = {};
        ++m_printed;
        m_unprinted.remove(outcome.job);
        if (Status marked = m_store.markPrinted(outcome.job); !marked) {
            // Until the mark is written, the printer takes no other job: sending this one again
            // would print it twice.
            lane.unmarked = outcome.job;
            m_log(QStringLiteral("Trabajo %1 impreso en %2, pero no se pudo marcar como impreso: %3")
                      .arg(outcome.job)
                      .arg(lane.printer, marked.message()));
        } else {
            m_log(QStringLiteral("Trabajo %1 impreso en %2").arg(outcome.job).arg(lane.printer));
        }
    }
    for (auto& [key, lane] : m_lanes) {
        if (lane.unmarked != 0 && m_store.markPrinted(lane.unmarked).isOk()) {
            m_log(QStringLiteral("Trabajo %1 marcado como impreso").arg(lane.unmarked));
            lane.unmarked = 0;
        }
    }
}

void PrintQueueService::recordFailure(Lane& lane, qint32 job, const QString& printer, const QString& reason) {
    ++m_failures;
    m_unprinted.insert(job);
    lane.pauseMs =
        lane.pauseMs == 0 ? m_options.firstPauseMs : std::min(lane.pauseMs * 2, m_options.maxPauseMs);
    lane.retryAt = Clock::now() + std::chrono::milliseconds(lane.pauseMs);
    if (m_options.once)
        lane.gaveUp = true;
    const Status marked = m_store.markFailed(job, reason);
    QString line = QStringLiteral("Trabajo %1 no se imprimió en %2: %3").arg(job).arg(printer, reason);
    if (!m_options.once)
        line += QStringLiteral(". Nuevo intento en %1 s").arg(QString::number(lane.pauseMs / 1000.0, 'g', 3));
    m_log(line);
    if (!marked)
        m_log(QStringLiteral("No se pudo registrar el fallo del trabajo %1: %2")
                  .arg(job)
                  .arg(marked.message()));
}

PrintQueueService::Round PrintQueueService::dispatch(const std::atomic<bool>& stop) {
    if (stop)
        return Round::Idle;
    Result<PrinterDirectory> printers = m_store.printers();
    if (!printers) {
        databaseProblem(printers.status());
        return Round::DatabaseError;
    }
    if (!abandonOpenJobs())
        return Round::DatabaseError;
    Result<QList<PrintQueueStore::Oldest>> oldest = m_store.oldestWaiting();
    if (!oldest) {
        databaseProblem(oldest.status());
        return Round::DatabaseError;
    }
    m_lastDatabaseError.clear();

    // The oldest job of each printer that prints; printers redirected to the same one take turns
    // by age.
    std::map<qint32, Candidate> byPrinter;
    for (const PrintQueueStore::Oldest& waiting : *oldest) {
        const Result<qint32> target = printers->resolve(waiting.impresora);
        const qint32 key = target ? *target : waiting.impresora;
        const auto found = byPrinter.find(key);
        if (found == byPrinter.end() || waiting.trabajo < found->second.job)
            byPrinter[key] = {key, waiting.impresora, waiting.trabajo,
                              target ? Status::ok() : target.status()};
    }
    std::vector<Candidate> candidates;
    for (auto& [key, candidate] : byPrinter)
        candidates.push_back(std::move(candidate));
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.job < b.job; });

    Round round = Round::Idle;
    const Clock::time_point now = Clock::now();
    for (const Candidate& candidate : candidates) {
        Lane& lane = m_lanes[candidate.printer];
        if (lane.busy || lane.unmarked != 0 || lane.gaveUp || now < lane.retryAt)
            continue;
        // Another program may be sending it, or have printed it since it was read.
        const Result<bool> claimed = m_store.claim(candidate.job);
        if (!claimed) {
            databaseProblem(claimed.status());
            return Round::DatabaseError;
        }
        if (!*claimed)
            continue;
        lane.printer = printers->describe(candidate.printer);
        if (!candidate.route) {
            recordFailure(lane, candidate.job, printers->describe(candidate.origin),
                          candidate.route.message());
            continue;
        }
        const Result<PrinterPort> port =
            PrinterPort::parse(printers->find(candidate.printer)->puerto, m_options.baseFolder);
        if (!port) {
            recordFailure(lane, candidate.job, lane.printer, port.status().message());
            continue;
        }
        const Result<QStringList> lines = m_store.lines(candidate.job);
        if (!lines) {
            databaseProblem(lines.status());
            return Round::DatabaseError;
        }
        lane.busy = true;
        lane.job = candidate.job;
        lane.sender = std::thread([this, key = candidate.printer, job = candidate.job, target = *port,
                                   bytes = port->render(*lines), timeout = m_options.sendTimeoutMs] {
            Status sent = PortWriter::send(target, job, bytes, timeout);
            {
                const std::lock_guard lock(m_mutex);
                m_outcomes.push_back({key, job, std::move(sent)});
            }
            m_signal.notify_all();
        });
        round = Round::Dispatched;
    }
    return round;
}

bool PrintQueueService::abandonOpenJobs() {
    const Result<QList<PrintQueueStore::Abandoned>> abandoned = m_store.abandonOpenJobs(m_options.abandonMs);
    if (!abandoned) {
        databaseProblem(abandoned.status());
        return false;
    }
    for (const PrintQueueStore::Abandoned& job : *abandoned) {
        ++m_abandoned;
        m_log(QStringLiteral("Trabajo %1 de %2 marcado como fallido: %3")
                  .arg(job.trabajo)
                  .arg(job.usuario, job.reason));
    }
    return true;
}

void PrintQueueService::databaseProblem(const Status& status) {
    // Said once, not at every poll while the database stays away.
    if (status.message() != m_lastDatabaseError)
        m_log(QStringLiteral("No se pudo leer la cola de impresión: %1").arg(status.message()));
    m_lastDatabaseError = status.message();
}

void PrintQueueService::wait(const std::atomic<bool>& stop) {
    std::unique_lock lock(m_mutex);
    if (anyBusy()) {
        // Woken by the first job that finishes.
        m_signal.wait_for(lock, std::chrono::milliseconds(100), [this] { return !m_outcomes.empty(); });
        return;
    }
    Clock::time_point wake = Clock::now() + std::chrono::milliseconds(m_options.pollMs);
    for (const auto& [key, lane] : m_lanes) {
        if (lane.pauseMs > 0 && !lane.gaveUp && lane.retryAt > Clock::now())
            wake = std::min(wake, lane.retryAt);
    }
    // Checked every 50 ms, so that a stop is heard at once.
    while (!stop && Clock::now() < wake)
        m_signal.wait_for(lock,
                          std::min<Clock::duration>(wake - Clock::now(), std::chrono::milliseconds(50)));
}

int PrintQueueService::run(const std::atomic<bool>& stop) {
    bool databaseFailed = false;
    for (;;) {
        collect();
        const Round round = dispatch(stop);
        databaseFailed = databaseFailed || round == Round::DatabaseError;
        if (!anyBusy()) {
            if (stop)
                break;
            if (m_options.once && round != Round::Dispatched)
                break;
        }
        wait(stop);
    }
    collect();
    if (!m_options.once)
        return 0;
    bool unmarked = false;
    for (const auto& [key, lane] : m_lanes)
        unmarked = unmarked || lane.unmarked != 0;
    return databaseFailed || unmarked || !m_unprinted.isEmpty() ? 1 : 0;
}

} // namespace nerin
