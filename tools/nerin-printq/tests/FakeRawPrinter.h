#pragma once

#include <QByteArray>
#include <QList>
#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace nerin::fakes {

// A raw network printer on a loopback port: each connection is one job, read until the sender closes
// its side. It starts refusing connections (nothing listens on its port) until accept() is called;
// `readDelayMs` makes it slow to read each job.
class FakeRawPrinter {
public:
    FakeRawPrinter() {
        // Reserve a free port, then let it go so that connecting to it is refused.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        ::close(fd);
    }
    ~FakeRawPrinter() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listener >= 0)
            ::close(m_listener);
    }

    quint16 port() const { return m_port; }
    QString url() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(m_port); }

    // Starts taking connections; false when the port could not be taken back.
    bool accept(int readDelayMs = 0) {
        m_readDelayMs = readDelayMs;
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address = loopback(m_port);
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 16) != 0)
            return false;
        m_thread = std::thread([this] { serve(); });
        return true;
    }

    QList<QByteArray> jobs() const {
        const std::lock_guard lock(m_mutex);
        return m_jobs;
    }
    int connections() const { return m_connections; }

private:
    static sockaddr_in loopback(quint16 port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    void serve() {
        while (!m_stop) {
            pollfd p{m_listener, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const int client = ::accept(m_listener, nullptr, nullptr);
            if (client < 0)
                continue;
            ++m_connections;
            if (m_readDelayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(m_readDelayMs));
            QByteArray job;
            char buffer[4096];
            for (;;) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                job.append(buffer, n);
            }
            ::close(client);
            const std::lock_guard lock(m_mutex);
            m_jobs.append(job);
        }
    }

    quint16 m_port = 0;
    int m_listener = -1;
    int m_readDelayMs = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QList<QByteArray> m_jobs;
};

} // namespace nerin::fakes
