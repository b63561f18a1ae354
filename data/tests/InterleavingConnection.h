#pragma once

#include "data/Connection.h"

#include <functional>
#include <memory>

namespace nerin::fakes {

// A connection that runs a step of "another terminal" just before a chosen statement of its own, to
// put two terminals' statements in a known order.
class InterleavingConnection : public Connection {
public:
    using Antes = std::function<bool(const QString& texto)>; // true when the step goes before this text

    explicit InterleavingConnection(std::unique_ptr<Connection> real) : m_real(std::move(real)) {}

    void antesDe(Antes cuando, std::function<void()> paso) {
        m_cuando = std::move(cuando);
        m_paso = std::move(paso);
    }

    Status open() override { return m_real->open(); }
    void close() override { m_real->close(); }
    bool isOpen() const override { return m_real->isOpen(); }
    Result<qint64> execute(const QString& sql) override {
        intercalar(sql);
        return copiar(m_real->execute(sql));
    }
    Result<RecordSet> query(const QString& sql) override {
        intercalar(sql);
        return copiar(m_real->query(sql));
    }
    Result<QList<RecordSet>> run(DbCommand& command) override {
        intercalar(command.text());
        return copiar(m_real->run(command));
    }
    Status beginTransaction() override { return m_real->beginTransaction(); }
    Status commit() override { return m_real->commit(); }
    Status rollback() override { return m_real->rollback(); }

private:
    void intercalar(const QString& texto) {
        if (m_cuando && m_cuando(texto)) {
            m_cuando = nullptr; // once
            m_paso();
        }
    }
    template <typename T> T copiar(T resultado) {
        setFailure(m_real->lastFailure(), m_real->errors());
        return resultado;
    }

    std::unique_ptr<Connection> m_real;
    Antes m_cuando;
    std::function<void()> m_paso;
};

} // namespace nerin::fakes
