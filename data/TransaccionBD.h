#pragma once

#include "base/Status.h"
#include "data/Connection.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace nerin {

class BaseDatos;

// One unit of work on the terminal's connection, during which nobody is asked or told anything, so
// that no message keeps the database locked for the other terminals while it waits for a touch.
//
// Statements run without being reported. The first failure is kept and ends the work: every later
// statement fails at once without being sent. terminar() then commits, or rolls back when anything
// failed, and only then speaks: the event-log lines queued with the work are written after a commit
// and dropped after a rollback (nothing of the work is in the database then), and a database failure
// is reported once, after the rollback, through BaseDatos::ReportarErrorBD with the title its kind of
// statement has there ("Base de Datos" for queries, "Ejecutar" for statement texts, the work's own
// title for commands and for the transaction itself).
class TransaccionBD {
public:
    TransaccionBD(BaseDatos& baseDatos, QString titulo);
    // A transaction still open is rolled back silently.
    ~TransaccionBD();

    TransaccionBD(const TransaccionBD&) = delete;
    TransaccionBD& operator=(const TransaccionBD&) = delete;

    // Begins the transaction; false when it could not begin (kept as the failure).
    bool iniciar();

    // The rows of a query, or none after a failure.
    std::optional<RecordSet> consultar(const QString& sql);
    // Runs a statement text and queues it for the event log, as EjecutarSQL logs it. The rows the
    // last change touched, or none after a failure.
    std::optional<qint64> ejecutar(const QString& sql);
    // Runs a change as InsertarRegistro and ActualizarRegistros do: reported under "Base de Datos"
    // and written to the event log twice, the form the log has for changes.
    std::optional<qint64> cambiar(const QString& sql);
    // Runs a change that must touch exactly one row, as cambiar() does. When it touches none or several,
    // the work ends there for `motivo`, as fallar() ends it, and sinFila() says so once it is over.
    // True when exactly one row changed.
    bool cambiarUna(const QString& sql, const QString& motivo);
    // Runs a statement text of the work's own bookkeeping, which the event log does not get.
    std::optional<qint64> ejecutarSinRegistro(const QString& sql);
    // Deletes rows as BaseDatos::BorrarRegistros does, as part of this work: the DELETE and its record
    // in Transacciones, the DELETE queued for the event log. The rows deleted, or none after a failure
    // (kept under the work's own title).
    std::optional<qint64> borrar(const QString& tabla, const QString& condicion);
    // Runs a command; false after a failure.
    bool correr(DbCommand& comando);
    // Queues a line for the event log, written only if the work is committed.
    void registrar(const QString& linea);
    // Ends the work for a reason of the caller's own: it is rolled back and nothing is reported.
    void fallar(const QString& descripcion);

    bool fallo() const { return m_falla.has_value(); }
    // Whether the work ended because a change of cambiarUna() did not touch exactly one row: the
    // caller's own reason, which the caller tells the person, never a failure of the database.
    bool sinFila() const { return m_falla && m_falla->sinFila; }
    // Whether the work failed because a statement broke a key or another constraint of the database
    // (SQLSTATE class 23), as an insert does when another terminal took the same key first.
    bool falloDeRestriccion() const;
    // What failed, in words for the event log; empty while nothing failed. It stays after the work
    // ended, for the caller to tell its own reasons apart.
    QString descripcionFalla() const { return m_falla ? m_falla->descripcion : QString(); }

    // Which failures of a try make hacer() run the work again.
    enum class Reintento {
        // Only a conflict with another terminal's work, which the server undid this one for.
        Conflictos,
        // Also, once, a key another terminal took first, for work that picks a new key itself.
        ConflictosYClaves,
    };
    // Runs the whole unit of work: begins, calls `trabajo` (only when the beginning succeeded), and
    // ends as terminar() does. A server that runs each terminal's work as if alone undoes the work
    // that collided with another terminal's: it is then discarded and run again after a short random
    // pause, up to a few times, so each run must start from what it reads and undo at its start what
    // an earlier run left outside the database. True when the work was committed.
    [[nodiscard]] bool hacer(const std::function<void()>& trabajo,
                             Reintento reintento = Reintento::Conflictos);

    // Commits when nothing failed, else rolls back; then writes the queued lines or reports the
    // failure. True when the work was committed.
    [[nodiscard]] bool terminar();

private:
    struct Falla {
        QString descripcion;
        // A failure of the database, reported under `titulo`; none for the caller's own reasons.
        std::optional<DbFailure> error;
        DbErrorList errores;
        QString titulo;
        bool sinFila = false;
    };

    void anotar(const Status& status, const QString& titulo);
    // Rolls back work that failed and forgets the failure without reporting it.
    void descartar();
    // Commits when nothing failed; a commit that fails is kept as the failure.
    void confirmar();
    // Whether the work, which was its `intento`-th try, failed only for a reason `reintento` lets it
    // run again for: then it is discarded after a pause, longer each time, so that the two terminals
    // do not collide again.
    bool otraVez(int intento, Reintento reintento);
    // Runs a statement text; a failure is kept to be reported under `titulo`.
    std::optional<qint64> ejecutarComo(const QString& sql, const QString& titulo);
    bool puedeSeguir();

    BaseDatos& m_baseDatos;
    Connection& m_conexion;
    QString m_titulo;
    bool m_abierta = false;
    std::optional<Falla> m_falla;
    QStringList m_lineas;
};

} // namespace nerin
