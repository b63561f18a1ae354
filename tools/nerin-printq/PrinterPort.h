#pragma once

#include "base/Result.h"
#include "printing/EscPosRenderer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace nerin {

// Where a printer's jobs go and how they are rendered, read from its Impresora.Puerto:
//
//   tcp://HOST[:PORT]     a raw network printer (port 9100 when none is given)
//   /dev/usb/lp0          a device, which must exist (an absent device is a printer switched off)
//   file:PATH             a file the jobs are appended to
//   dir:PATH              a folder that receives one file per job ("trabajo-<number>.prn")
//
// followed, optionally, by "?" and the printer's profile, options separated by "&", in any case:
// "pc850" (the default) or "wpc1252" chooses the printer's code page, and "texto" writes the plain
// text of the jobs (UTF-8) instead of printer commands, for files people read. Relative file and
// folder paths are taken from `baseFolder` (the state folder). Example: "tcp://10.0.0.7:9100?wpc1252".
class PrinterPort {
public:
    enum class Kind { Tcp, Device, File, Folder };
    enum class Rendering { EscPos, PlainText };

    // The port a Puerto text names, or InvalidInput saying what is wrong with it.
    static Result<PrinterPort> parse(const QString& puerto, const QString& baseFolder);

    Kind kind() const { return m_kind; }
    // tcp: the host and port; other kinds: the path.
    const QString& host() const { return m_host; }
    quint16 port() const { return m_port; }
    const QString& path() const { return m_path; }
    Rendering rendering() const { return m_rendering; }
    EscPosRenderer::CodePage codePage() const { return m_codePage; }

    // A job's lines as this printer takes them.
    QByteArray render(const QStringList& lines) const;
    // The name of the file a folder port writes job `job` to.
    QString jobFileName(qint32 job) const;

private:
    Kind m_kind = Kind::File;
    QString m_host;
    quint16 m_port = 9100;
    QString m_path;
    Rendering m_rendering = Rendering::EscPos;
    EscPosRenderer::CodePage m_codePage = EscPosRenderer::CodePage::Pc850;
};

} // namespace nerin
