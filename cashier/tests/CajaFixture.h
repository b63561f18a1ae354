#pragma once

#include "cashier/AbonoLealtadServicio.h"
#include "cashier/FacturacionNoDisponible.h"
#include "printing/PlainTextRenderer.h"
#include "startup/tests/StartupFixture.h"

#include <QRegularExpression>
#include <functional>

namespace nerin::fakes {

// Forwards to the embedded database and fails, as a database that went away would, every statement
// that `falla` picks once it has seen `despues` of them. With `sqlState`, the failure is reported
// under that state, as "23000" for a key another terminal stored first.
class ConexionQueFalla : public Connection {
public:
    ConexionQueFalla(const QString& path, std::function<bool(const QString&)> falla, int despues,
                     QString sqlState = {})
        : m_inner(path), m_falla(std::move(falla)), m_despues(despues), m_sqlState(std::move(sqlState)) {}
    Status open() override { return m_inner.open(); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    Result<qint64> execute(const QString& sql) override {
        if (m_falla && m_falla(sql) && m_vistas++ >= m_despues) {
            const QString motivo = QStringLiteral("La base de datos no responde");
            setFailure({DbErrorNumber::kGenericFailure, motivo},
                       m_sqlState.isEmpty() ? DbErrorList{} : DbErrorList{{0, motivo, m_sqlState}});
            return Status::error(Status::Code::DatabaseError, QStringLiteral("La base de datos no responde"));
        }
        return copiado(m_inner.execute(sql));
    }
    Result<RecordSet> query(const QString& sql) override { return copiado(m_inner.query(sql)); }
    Result<QList<RecordSet>> run(DbCommand& command) override { return copiado(m_inner.run(command)); }
    Status beginTransaction() override {
        m_enTransaccion = true;
        return copiado(m_inner.beginTransaction());
    }
    Status commit() override {
        m_enTransaccion = false;
        return copiado(m_inner.commit());
    }
    Status rollback() override {
        m_enTransaccion = false;
        return copiado(m_inner.rollback());
    }
    // Whether a transaction is open: the database stays locked for the other terminals meanwhile.
    bool enTransaccion() const { return m_enTransaccion; }

private:
    template <typename T> T copiado(T result) {
        setFailure(m_inner.lastFailure(), m_inner.errors());
        return result;
    }
    SqliteConnection m_inner;
    std::function<bool(const QString&)> m_falla;
    int m_despues;
    QString m_sqlState;
    int m_vistas = 0;
    bool m_enTransaccion = false;
};

// A cashier terminal (terminal 1, ticket printer "CAJA", employee 3 "cajero1") over a copy of the demo
// restaurant, whose open orders are 1 (table 5, total 711.50) and 2 (table 15, total 420.00), and whose
// order 3 is closed and paid by card with a tip.
class CajaFixture : public StartupFixture {
protected:
    void abrir(std::function<bool(const QString&)> falla = {}, int despues = 0) {
        settings = std::make_unique<TerminalSettings>(settingsFile());
        bitacora = std::make_unique<Bitacora>(logFolder(), [this] { return ahora; });
        const QString db = dbFolder() + QStringLiteral("/DBNERIN.db");
        baseDatos = std::make_unique<BaseDatos>(
            [db, falla, despues, estado = estadoFalla] {
                return std::make_unique<ConexionQueFalla>(db, falla, despues, estado);
            },
            *bitacora, messageBox, [this] { ++programEnded; }, QStringLiteral("clave"));
        ASSERT_TRUE(baseDatos->ConectarBD());
        context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings,
                                                    [this] { return ahora; });
        context->terminal = 1;
        context->iniciarSesion(Sesion(3, QStringLiteral("cajero1"), {}, false));
        context->anchoTicket = 40;
        context->cuentaTicket = 1;
        context->store = QStringLiteral("CZD001");
        context->nombreSucursal = QStringLiteral("LA CAZUELA DORADA CENTRO");
        lealtad = std::make_unique<AbonoLealtadServicio>(*context);
    }

    // The rows of a query, one text per row with its fields separated by "|".
    QStringList rows(const QString& sql) { return rowsOf(dbFolder() + QStringLiteral("/DBNERIN.db"), sql); }
    qint64 numero(const QString& sql) { return field(sql).toInt(); }

    // The jobs queued, oldest first, as "ID|Tipo|ID_Impresora|Usuario|closed".
    QStringList trabajos() {
        return rows(
            QStringLiteral("SELECT ID_Trabajo, Tipo, ID_Impresora, Usuario, CASE WHEN Fecha_Cierre IS NULL "
                           "THEN 'abierto' ELSE 'cerrado' END FROM Cola_Trabajo ORDER BY ID_Trabajo"));
    }
    qint32 ultimoTrabajo() {
        return static_cast<qint32>(numero(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")));
    }
    // A job as the ticket printer prints it, each line ended by "|" so that trailing spaces show.
    QString impreso(qint32 trabajo) {
        return PlainTextRenderer::render(
                   rows(
                       QStringLiteral("SELECT Texto FROM Cola_Linea WHERE ID_Trabajo = %1 ORDER BY Num_Linea")
                           .arg(trabajo)))
            .replace(u'\n', QStringLiteral("|\n"));
    }

    ScriptedPrompts::Asked ultimaPregunta() const {
        return prompts.asked().isEmpty() ? ScriptedPrompts::Asked{} : prompts.asked().last();
    }

    // The SQLSTATE of the failures abrir() injects; none by default.
    QString estadoFalla;
    FacturacionNoDisponible facturacion{prompts};
    // The accrual through the loyalty service at context->urlLealtad (none: switched off).
    std::unique_ptr<AbonoLealtadServicio> lealtad;
};

} // namespace nerin::fakes
