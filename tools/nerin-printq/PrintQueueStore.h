#pragma once

#include "base/Result.h"
#include "tools/nerin-printq/PrinterDirectory.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace nerin {

class Connection;

// The print queue's tables as nerin-printq reads and writes them. Jobs waiting to print are the closed
// ones: pending ('P') and those whose last attempt failed ('E'); open jobs ('A') are still being
// written and are never taken. Every call is one statement, or one statement per job, so the queue is
// consistent whenever the program stops.
//
// Several programs may serve one database: each store has its own claimant name, and a job is sent
// only by the store that claimed it (claim()), so it prints once.
class PrintQueueStore {
public:
    // `claimMs`: how long a claim holds off the other programs; longer than a printer may take to
    // accept a job.
    explicit PrintQueueStore(Connection& connection, int claimMs = 60000);

    struct Oldest {
        qint32 impresora = 0; // the printer the job was queued for
        qint32 trabajo = 0;
    };
    struct Abandoned {
        qint32 trabajo = 0;
        QString usuario;
        QString reason;
    };

    // This program's name in Reclamado_Por: machine, process and an instance number.
    const QString& claimant() const { return m_claimant; }

    Result<PrinterDirectory> printers();
    // The oldest waiting job of each printer the jobs were queued for, oldest first, claimed or not:
    // a printer whose oldest job another program holds waits for it, so jobs never overtake each other.
    Result<QList<Oldest>> oldestWaiting();
    // A job's lines in print order.
    Result<QStringList> lines(qint32 trabajo);
    // Claims a waiting job for `claimMs` from now, unless another program's claim on it is still
    // running or the job is no longer waiting. True when this store now holds the job.
    Result<bool> claim(qint32 trabajo);
    // Counts the attempt and marks the job printed ('I'), when it is still waiting, whoever holds it:
    // it was printed.
    Status markPrinted(qint32 trabajo);
    // Counts the attempt, marks the job failed ('E') with the reason (cut to 255 characters) and lets
    // go of the claim, when it is still waiting and this store holds it; it stays in the queue.
    Status markFailed(qint32 trabajo, const QString& reason);
    // Gives up the jobs open ('A') for more than `graceMs`: their terminal stopped while writing them.
    // Each is marked 'F' with the reason and never printed. Returns the jobs this call gave up.
    Result<QList<Abandoned>> abandonOpenJobs(int graceMs);

private:
    Result<qint64> execute(const QString& sql);

    Connection& m_connection;
    int m_claimMs;
    QString m_claimant;
};

} // namespace nerin
