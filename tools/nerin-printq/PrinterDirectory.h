#pragma once

#include "base/Result.h"

#include <QHash>
#include <QString>

namespace nerin {

// The restaurant's printers as the queue sees them (table Impresora), and where each one's jobs go.
class PrinterDirectory {
public:
    struct Printer {
        qint32 id = 0;
        QString nombre;
        QString puerto;
        qint32 redirigido = 0; // Impresora.Redirigido: itself or 0 when not redirected
    };

    void add(Printer printer) { m_printers.insert(printer.id, std::move(printer)); }
    // The printer with this number, or null.
    const Printer* find(qint32 id) const;

    // The printer that prints the jobs queued for `id`: its redirection is followed, and the
    // redirection of the printer it leads to, until a printer that is not redirected. Fails with
    // NotFound when `id`, or a printer the chain leads to, does not exist, and with InvalidInput when
    // the chain comes back to a printer it already passed ("2 → 3 → 2"); the message says which.
    Result<qint32> resolve(qint32 id) const;

    // "NAME (id)" for messages, or the bare number of an unknown printer.
    QString describe(qint32 id) const;

private:
    QHash<qint32, Printer> m_printers;
};

} // namespace nerin
