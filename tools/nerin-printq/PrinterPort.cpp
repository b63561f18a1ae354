#include "tools/nerin-printq/PrinterPort.h"

#include "printing/PlainTextRenderer.h"

#include <QDir>
#include <QFileInfo>

namespace nerin {

namespace {

QString absolute(const QString& path, const QString& baseFolder) {
    return QFileInfo(path).isAbsolute() ? path : QDir(baseFolder).filePath(path);
}

} // namespace

Result<PrinterPort> PrinterPort::parse(const QString& puerto, const QString& baseFolder) {
    QString destino = puerto.trimmed();
    PrinterPort port;
    const qsizetype question = destino.lastIndexOf(u'?');
    if (question >= 0) {
        const QStringList options = destino.mid(question + 1).split(u'&', Qt::SkipEmptyParts);
        destino = destino.left(question).trimmed();
        for (const QString& raw : options) {
            const QString option = raw.trimmed().toLower();
            if (option == u"pc850")
                port.m_codePage = EscPosRenderer::CodePage::Pc850;
            else if (option == u"wpc1252")
                port.m_codePage = EscPosRenderer::CodePage::Wpc1252;
            else if (option == u"texto")
                port.m_rendering = Rendering::PlainText;
            else
                return Status::invalid(QStringLiteral("Opción de puerto desconocida: %1").arg(raw.trimmed()));
        }
    }
    if (destino.isEmpty())
        return Status::invalid(QStringLiteral("La impresora no tiene puerto"));

    if (destino.startsWith(QStringLiteral("tcp://"), Qt::CaseInsensitive)) {
        QString direccion = destino.mid(6);
        if (direccion.endsWith(u'/'))
            direccion.chop(1);
        QString host = direccion;
        QString numero;
        // "[::1]:9100" for IPv6 addresses; otherwise the last ":" separates the port.
        if (direccion.startsWith(u'[')) {
            const qsizetype close = direccion.indexOf(u']');
            if (close < 0)
                return Status::invalid(QStringLiteral("Puerto no reconocido: %1").arg(puerto));
            host = direccion.mid(1, close - 1);
            const QString rest = direccion.mid(close + 1);
            if (rest.startsWith(u':'))
                numero = rest.mid(1);
            else if (!rest.isEmpty())
                return Status::invalid(QStringLiteral("Puerto no reconocido: %1").arg(puerto));
        } else if (const qsizetype colon = direccion.lastIndexOf(u':'); colon >= 0) {
            host = direccion.left(colon);
            numero = direccion.mid(colon + 1);
        }
        if (host.isEmpty())
            return Status::invalid(QStringLiteral("Falta la dirección de la impresora: %1").arg(puerto));
        if (!numero.isEmpty()) {
            bool ok = false;
            const uint value = numero.toUInt(&ok);
            if (!ok || value == 0 || value > 65535)
                return Status::invalid(QStringLiteral("Número de puerto no válido: %1").arg(puerto));
            port.m_port = static_cast<quint16>(value);
        }
        port.m_kind = Kind::Tcp;
        port.m_host = host;
        return port;
    }
    if (destino.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive) ||
        destino.startsWith(QStringLiteral("dir:"), Qt::CaseInsensitive)) {
        const bool file = destino.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive);
        const QString path = destino.mid(file ? 5 : 4).trimmed();
        if (path.isEmpty())
            return Status::invalid(QStringLiteral("Falta la ruta del puerto: %1").arg(puerto));
        port.m_kind = file ? Kind::File : Kind::Folder;
        port.m_path = absolute(path, baseFolder);
        return port;
    }
    if (destino.startsWith(u'/')) {
        port.m_kind = Kind::Device;
        port.m_path = destino;
        return port;
    }
    return Status::invalid(QStringLiteral("Puerto no reconocido: %1").arg(puerto));
}

QByteArray PrinterPort::render(const QStringList& lines) const {
    if (m_rendering == Rendering::PlainText)
        return PlainTextRenderer::render(lines).toUtf8();
    return EscPosRenderer(m_codePage).render(lines);
}

QString PrinterPort::jobFileName(qint32 job) const {
    return QStringLiteral("trabajo-%1.%2")
        .arg(job)
        .arg(m_rendering == Rendering::PlainText ? u"txt" : u"prn");
}

} // namespace nerin
