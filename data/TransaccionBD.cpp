#include "data/TransaccionBD.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"

#include <QRandomGenerator>
#include <QThread>

namespace nerin {

namespace {

const QString kTituloBaseDatos = QStringLiteral("Base de Datos");
const QString kTituloEjecutar = QStringLiteral("Ejecutar");
// Tries of a work that conflicted with another terminal's.
constexpr int kIntentos = 10;

} // namespace

TransaccionBD::TransaccionBD(BaseDatos& baseDatos, QString titulo)
    : m_baseDatos(baseDatos), m_conexion(baseDatos.connection()), m_titulo(std::move(titulo)) {}

TransaccionBD::~TransaccionBD() {
    // Left without terminar(): nothing of the work may stay. A rollback that fails leaves the
    // transaction to the database, which undoes it when the connection ends.
    if (m_abierta)
        (void)m_conexion.rollback();
}

void TransaccionBD::anotar(const Status& status, const QString& titulo) {
    if (m_falla)
        return;
    // Copies: the connection's errors are replaced by the next call, the rollback included.
    m_falla = Falla{status.message(), m_conexion.lastFailure(), m_conexion.errors(), titulo};
}

bool TransaccionBD::puedeSeguir() {
    return m_abierta && !m_falla;
}

bool TransaccionBD::iniciar() {
    if (Status inicio = m_conexion.beginTransaction(); !inicio) {
        anotar(inicio, m_titulo);
        return false;
    }
    m_abierta = true;
    return true;
}

std::optional<RecordSet> TransaccionBD::consultar(const QString& sql) {
    if (!puedeSeguir())
        return std::nullopt;
    Result<RecordSet> filas = m_conexion.query(sql);
    if (!filas) {
        anotar(filas.status(), kTituloBaseDatos);
        return std::nullopt;
    }
    return std::move(filas).value();
}

std::optional<qint64> TransaccionBD::ejecutar(const QString& sql) {
    const std::optional<qint64> hecho = ejecutarComo(sql, kTituloEjecutar);
    if (hecho)
        m_lineas.append(sql);
    return hecho;
}

std::optional<qint64> TransaccionBD::cambiar(const QString& sql) {
    const std::optional<qint64> hecho = ejecutarComo(sql, kTituloBaseDatos);
    if (hecho)
        m_lineas << sql << sql;
    return hecho;
}

bool TransaccionBD::cambiarUna(const QString& sql, const QString& motivo) {
    const std::optional<qint64> cambiadas = cambiar(sql);
    if (!cambiadas)
        return false;
    if (*cambiadas == 1)
        return true;
    fallar(motivo);
    m_falla->sinFila = true;
    return false;
}

std::optional<qint64> TransaccionBD::ejecutarSinRegistro(const QString& sql) {
    return ejecutarComo(sql, kTituloEjecutar);
}

std::optional<qint64> TransaccionBD::ejecutarComo(const QString& sql, const QString& titulo) {
    if (!puedeSeguir())
        return std::nullopt;
    const Result<qint64> hecho = m_conexion.execute(sql);
    if (!hecho) {
        anotar(hecho.status(), titulo);
        return std::nullopt;
    }
    return hecho.value();
}

std::optional<qint64> TransaccionBD::borrar(const QString& tabla, const QString& condicion) {
    const QString sql = BaseDatos::textoBorrar(tabla, condicion);
    const std::optional<qint64> borradas = ejecutarComo(sql, m_titulo);
    if (!borradas || !ejecutarComo(BaseDatos::textoRegistroBorrado(sql), m_titulo))
        return std::nullopt;
    m_lineas.append(sql);
    return borradas;
}

bool TransaccionBD::correr(DbCommand& comando) {
    if (!puedeSeguir())
        return false;
    if (const auto corrida = m_conexion.run(comando); !corrida) {
        anotar(corrida.status(), m_titulo);
        return false;
    }
    return true;
}

void TransaccionBD::registrar(const QString& linea) {
    m_lineas.append(linea);
}

void TransaccionBD::fallar(const QString& descripcion) {
    if (!m_falla)
        m_falla = Falla{descripcion, std::nullopt, {}, {}};
}

bool TransaccionBD::falloDeRestriccion() const {
    return m_falla && !m_falla->errores.isEmpty() && m_falla->errores.first().sqlState.startsWith(u"23");
}

void TransaccionBD::descartar() {
    if (m_abierta)
        (void)m_conexion.rollback();
    m_abierta = false;
    m_falla.reset();
    m_lineas.clear();
}

void TransaccionBD::confirmar() {
    if (m_abierta && !m_falla) {
        if (Status hecho = m_conexion.commit(); !hecho)
            anotar(hecho, m_titulo);
        else
            m_abierta = false;
    }
}

bool TransaccionBD::otraVez(int intento, Reintento reintento) {
    if (intento >= kIntentos || !m_falla || m_falla->errores.isEmpty())
        return false;
    const QString& sqlState = m_falla->errores.first().sqlState;
    // A serialization failure or a deadlock: the other terminal's work went through instead.
    const bool conflicto = sqlState == u"40001" || sqlState == u"40P01";
    const bool claveTomada =
        reintento == Reintento::ConflictosYClaves && intento == 1 && falloDeRestriccion();
    if (!conflicto && !claveTomada)
        return false;
    descartar();
    QThread::msleep(static_cast<unsigned long>(intento * QRandomGenerator::global()->bounded(5, 25)));
    return true;
}

bool TransaccionBD::hacer(const std::function<void()>& trabajo, Reintento reintento) {
    for (int intento = 1;; ++intento) {
        if (iniciar())
            trabajo();
        confirmar();
        if (!otraVez(intento, reintento))
            return terminar();
    }
}

bool TransaccionBD::terminar() {
    confirmar();
    // The failure reported below is what the person needs to know; a rollback that fails too
    // leaves the work to the database, which undoes it when the connection ends.
    if (m_abierta && m_falla)
        (void)m_conexion.rollback();
    m_abierta = false;
    if (m_falla) {
        m_lineas.clear();
        if (m_falla->error)
            m_baseDatos.ReportarErrorBD(m_falla->titulo, *m_falla->error, m_falla->errores);
        return false;
    }
    Bitacora& bitacora = m_baseDatos.bitacora();
    for (const QString& linea : std::as_const(m_lineas))
        bitacora.EscribirBitacora(linea);
    m_lineas.clear();
    return true;
}

} // namespace nerin
