#include "tools/nerin-printq/PortWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nerin {

namespace {

using Clock = std::chrono::steady_clock;

Status ioError(const QString& message) {
    return Status::error(Status::Code::IoError, message);
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Gives the descriptor up without closing it.
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes now and says whether the system reported a failure.
    int close() {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// Milliseconds left until `deadline`, at least 0.
int remaining(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until `fd` is ready for `events`; false on time-out. `error` is set when poll itself failed.
bool waitFor(int fd, short events, Clock::time_point deadline, int& error) {
    error = 0;
    for (;;) {
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, remaining(deadline));
        if (ready > 0)
            return true;
        if (ready == 0)
            return false;
        if (errno != EINTR) {
            error = errno;
            return false;
        }
    }
}

// Writes everything to a non-blocking descriptor before the deadline.
Status writeAll(int fd, const QByteArray& bytes, Clock::time_point deadline, bool socket) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const auto size = static_cast<size_t>(bytes.size() - sent);
        const ssize_t n = socket ? ::send(fd, bytes.constData() + sent, size, MSG_NOSIGNAL)
                                 : ::write(fd, bytes.constData() + sent, size);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return ioError(QStringLiteral("Error al enviar: %1").arg(systemError(errno)));
        int error = 0;
        if (!waitFor(fd, POLLOUT, deadline, error)) {
            return ioError(
                error ? QStringLiteral("Error al enviar: %1").arg(systemError(error))
                      : QStringLiteral("La impresora no recibió el trabajo a tiempo (%1 de %2 bytes)")
                            .arg(sent)
                            .arg(bytes.size()));
        }
    }
    return Status::ok();
}

// Connects to one address before the deadline; the descriptor on success.
int connectTo(const addrinfo& address, Clock::time_point deadline, int& error) {
    Descriptor fd(
        ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol));
    if (fd.get() < 0) {
        error = errno;
        return -1;
    }
    if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) < 0) {
        if (errno != EINPROGRESS) {
            error = errno;
            return -1;
        }
        if (!waitFor(fd.get(), POLLOUT, deadline, error)) {
            if (error == 0)
                error = ETIMEDOUT;
            return -1;
        }
        socklen_t length = sizeof error;
        if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) < 0)
            error = errno;
        if (error != 0)
            return -1;
    }
    return fd.release();
}

// Whether the peer's system has acknowledged every byte sent.
bool allAcknowledged(int fd) {
    int unacknowledged = 0;
    return ::ioctl(fd, SIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0;
}

} // namespace

Status PortWriter::send(const PrinterPort& port, qint32 job, const QByteArray& bytes, int timeoutMs) {
    switch (port.kind()) {
    case PrinterPort::Kind::Tcp:
        return sendTcp(port, bytes, timeoutMs);
    case PrinterPort::Kind::Device:
        return sendDevice(port, bytes, timeoutMs);
    case PrinterPort::Kind::File:
        return appendFile(port, bytes);
    case PrinterPort::Kind::Folder:
        return writeJobFile(port, job, bytes);
    }
    return ioError(QStringLiteral("Puerto no reconocido"));
}

Status PortWriter::sendTcp(const PrinterPort& port, const QByteArray& bytes, int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* addresses = nullptr;
    const QByteArray host = port.host().toUtf8();
    const QByteArray service = QByteArray::number(port.port());
    if (const int rc = ::getaddrinfo(host.constData(), service.constData(), &hints, &addresses); rc != 0)
        return ioError(QStringLiteral("No se encontró %1: %2")
                           .arg(port.host(), QString::fromLocal8Bit(gai_strerror(rc))));
    Descriptor fd;
    int error = 0;
    for (const addrinfo* a = addresses; a && fd.get() < 0; a = a->ai_next)
        fd.reset(connectTo(*a, deadline, error));
    ::freeaddrinfo(addresses);
    if (fd.get() < 0)
        return ioError(QStringLiteral("No se pudo conectar con %1:%2: %3")
                           .arg(port.host())
                           .arg(port.port())
                           .arg(systemError(error)));

    if (Status written = writeAll(fd.get(), bytes, deadline, true); !written)
        return written;
    // The job is complete once the printer has everything: say so, then read (and drop) whatever the
    // printer answers until it closes its side. Closing with unread answers pending would reset the
    // connection, which may make the printer drop what it had not read yet.
    ::shutdown(fd.get(), SHUT_WR);
    char answer[256];
    for (;;) {
        if (!waitFor(fd.get(), POLLIN, deadline, error)) {
            // A printer that keeps its side open still took the job if its system acknowledged it.
            if (allAcknowledged(fd.get()))
                return Status::ok();
            return ioError(QStringLiteral("La impresora no confirmó el trabajo a tiempo"));
        }
        const ssize_t n = ::recv(fd.get(), answer, sizeof answer, 0);
        if (n == 0)
            return Status::ok();
        if (n < 0 && errno != EINTR && errno != EAGAIN) {
            const int failure = errno;
            if (allAcknowledged(fd.get()))
                return Status::ok();
            return ioError(QStringLiteral("Error al enviar: %1").arg(systemError(failure)));
        }
    }
}

Status PortWriter::sendDevice(const PrinterPort& port, const QByteArray& bytes, int timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // Never created: a device that is not there is a printer that is off or unplugged.
    Descriptor fd(::open(QFile::encodeName(port.path()).constData(),
                         O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return ioError(QStringLiteral("No se pudo abrir %1: %2").arg(port.path(), systemError(errno)));
    if (Status written = writeAll(fd.get(), bytes, deadline, false); !written)
        return written;
    if (fd.close() != 0)
        return ioError(QStringLiteral("Error al cerrar %1: %2").arg(port.path(), systemError(errno)));
    return Status::ok();
}

Status PortWriter::appendFile(const PrinterPort& port, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(port.path()).absolutePath());
    QFile file(port.path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return ioError(QStringLiteral("No se pudo abrir %1: %2").arg(port.path(), file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush())
        return ioError(QStringLiteral("No se pudo escribir en %1: %2").arg(port.path(), file.errorString()));
    if (::fsync(file.handle()) != 0)
        return ioError(QStringLiteral("No se pudo escribir en %1: %2").arg(port.path(), systemError(errno)));
    return Status::ok();
}

Status PortWriter::writeJobFile(const PrinterPort& port, qint32 job, const QByteArray& bytes) {
    if (!QDir().mkpath(port.path()))
        return ioError(QStringLiteral("No se pudo crear la carpeta %1").arg(port.path()));
    // Written aside and renamed when complete: a job's file is whole or absent, and printing the
    // same job again replaces it rather than adding a second one.
    QSaveFile file(QDir(port.path()).filePath(port.jobFileName(job)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return ioError(QStringLiteral("No se pudo escribir %1: %2").arg(file.fileName(), file.errorString()));
    return Status::ok();
}

} // namespace nerin
