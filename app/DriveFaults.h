#pragma once

#include <QObject>
#include <memory>

namespace nerin {

class Connection;
class Driver;
namespace fakes {
class FaultyConnection;
}

// What a drive script may do to the terminal's database, and what it watches, in drive mode only.
// "fail-sql N [TEXT]" makes the N-th statement sent from then on (counting only statements that
// contain TEXT, when given) fail as a database kept busy by another terminal does; "expect-sql VALUE
// QUERY" checks the first field of a query's first row, read behind the wrapper. Every window that
// asks a person something while a transaction is open is written to standard error, since the
// database stays locked for every other terminal until that person answers.
//
// With NERIN_MATAR_EN=K in the environment the process is killed (SIGKILL, as a terminal switched off
// mid-service) just before the K-th thing it sends to the database since it started: statements, and
// the beginning and committing of transactions. A run that reaches its end instead writes how many it
// sent, as "nerin-terminal: N envíos a la base de datos", so that a harness knows the kill points.
class DriveFaults : public QObject {
public:
    explicit DriveFaults(QObject* parent = nullptr);
    ~DriveFaults() override;

    // Wraps the connection the terminal made; the wrapper is the one the terminal uses.
    std::unique_ptr<Connection> envolver(std::unique_ptr<Connection> conexion);
    // Gives the driver the commands above and starts watching windows.
    void instalar(Driver& driver);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    fakes::FaultyConnection* m_conexion = nullptr;
    // The send to end the process before (0: none), and the sends so far over every connection made.
    qint64 m_matarEn = 0;
    qint64 m_enviados = 0;
};

} // namespace nerin
