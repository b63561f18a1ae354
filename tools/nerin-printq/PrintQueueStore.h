#pragma once

#include "base/Result.h"
#include "tools/nerin-printq/PrinterDirectory.h"

#include <QList>
#include <QStringList>

namespace nerin {

class Connection;

// The print queue's tables as nerin-printq reads and writes them. Jobs waiting to print are the closed
// ones: pending ('P') and those whose last attempt failed ('E'); open jobs ('A') are still being
// written and are never taken. Every call is one statement, so the queue is consistent whenever the
// program stops.
class PrintQueueStore {
public:
    explicit PrintQueueStore(Connection& connection) : m_connection(connection) {}

    struct Oldest {
        qint32 impresora = 0; // the printer the job was queued for
        qint32 trabajo = 0;
    };

    Result<PrinterDirectory> printers();
    // The oldest waiting job of each printer the jobs were queued for, oldest first.
    Result<QList<Oldest>> oldestWaiting();
    // A job's lines in print order.
    Result<QStringList> lines(qint32 trabajo);
    // Counts the attempt and marks the job printed ('I'), when it is still waiting.
    Status markPrinted(qint32 trabajo);
    // Counts the attempt and marks the job failed ('E') with the reason (cut to 255 characters), when it
    // is still waiting; it stays in the queue.
    Status markFailed(qint32 trabajo, const QString& reason);

private:
    Result<qint64> execute(const QString& sql);

    Connection& m_connection;
};

} // namespace nerin
