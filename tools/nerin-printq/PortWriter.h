#pragma once

#include "base/Status.h"
#include "tools/nerin-printq/PrinterPort.h"

#include <QByteArray>

namespace nerin {

// Delivers one job's bytes to a printer's port, and says whether the printer accepted them. Success
// means the bytes are where they cannot be lost by this program any more: acknowledged by the network
// printer (which closed its side, or whose system acknowledged every byte), written to the device,
// appended and synced to the file, or in the folder under the job's name. Any failure is an IoError
// whose message, in Spanish, says what went wrong; a job that failed may have been printed in part.
//
// Nothing here waits longer than `timeoutMs` for the printer, so a stuck printer never stops the
// program. Safe to call from several threads at once for different ports.
class PortWriter {
public:
    static Status send(const PrinterPort& port, qint32 job, const QByteArray& bytes, int timeoutMs);

private:
    static Status sendTcp(const PrinterPort& port, const QByteArray& bytes, int timeoutMs);
    static Status sendDevice(const PrinterPort& port, const QByteArray& bytes, int timeoutMs);
    static Status appendFile(const PrinterPort& port, const QByteArray& bytes);
    static Status writeJobFile(const PrinterPort& port, qint32 job, const QByteArray& bytes);
};

} // namespace nerin
