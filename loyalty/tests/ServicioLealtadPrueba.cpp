#include "loyalty/tests/ServicioLealtadPrueba.h"

#include <QFile>
#include <QTcpSocket>

namespace nerin::fakes {

namespace {

constexpr int kArranqueMs = 10000;

} // namespace

ServicioLealtadPrueba::ServicioLealtadPrueba() {
    m_proceso.setStandardErrorFile(m_dir.filePath(QStringLiteral("errores.txt")));
    m_proceso.start(QStringLiteral(NERIN_LEALTAD_BINARY),
                    {QStringLiteral("--puerto"), QStringLiteral("0"), QStringLiteral("--datos"), datos(),
                     QStringLiteral("--bitacora"), m_dir.filePath(QStringLiteral("bitacora.txt"))});
    QByteArray linea;
    while (!linea.contains('\n') && m_proceso.waitForReadyRead(kArranqueMs))
        linea += m_proceso.readAllStandardOutput();
    if (linea.startsWith("PUERTO "))
        m_puerto = static_cast<quint16>(linea.mid(7).trimmed().toUInt());
    if (m_puerto == 0) {
        QFile errores(m_dir.filePath(QStringLiteral("errores.txt")));
        (void)errores.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("nerin-lealtad no arrancó: ") + m_proceso.errorString() + u' ' +
                  QString::fromUtf8(linea + errores.readAll());
        detener();
    }
}

ServicioLealtadPrueba::~ServicioLealtadPrueba() {
    detener();
}

QString ServicioLealtadPrueba::url() const {
    return QStringLiteral("http://127.0.0.1:%1/loyalty").arg(m_puerto);
}

QString ServicioLealtadPrueba::datos() const {
    return m_dir.filePath(QStringLiteral("lealtad.json"));
}

bool ServicioLealtadPrueba::control(const QString& modo, int demoraMs) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), m_puerto);
    if (!socket.waitForConnected(kArranqueMs))
        return false;
    socket.write(QStringLiteral("GET /control?modo=%1&demora=%2 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
                     .arg(modo)
                     .arg(demoraMs)
                     .toUtf8());
    QByteArray respuesta;
    while (socket.waitForReadyRead(kArranqueMs))
        respuesta += socket.readAll();
    respuesta += socket.readAll();
    return respuesta.startsWith("HTTP/1.1 200");
}

void ServicioLealtadPrueba::detener() {
    if (m_proceso.state() == QProcess::NotRunning)
        return;
    m_proceso.kill();
    m_proceso.waitForFinished(kArranqueMs);
}

QList<ServicioLealtadPrueba::Solicitud> ServicioLealtadPrueba::solicitudes() const {
    QFile bitacora(m_dir.filePath(QStringLiteral("bitacora.txt")));
    QList<Solicitud> leidas;
    if (!bitacora.open(QIODevice::ReadOnly))
        return leidas;
    for (const QByteArray& linea : bitacora.readAll().split('\n')) {
        const QList<QByteArray> partes = linea.split('\t');
        if (partes.size() >= 3)
            leidas.append({QString::fromUtf8(partes.at(1)), QString::fromUtf8(partes.mid(2).join('\t'))});
    }
    return leidas;
}

} // namespace nerin::fakes
