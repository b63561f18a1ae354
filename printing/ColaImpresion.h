#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class BaseDatos;
class TransaccionBD;

// The print-queue control: every printed document of the terminal is handed over through it as a job
// of marked-up lines, which the print-queue program (nerin-printq) prints. Jobs live in the queue
// tables (Cola_Trabajo, Cola_Linea), where the server's kitchen procedures put theirs too.
//
// Calling order: AbrirTrabajo, any number of AgregarLinea, CerrarTrabajo. A job is printed only once
// it is closed, so a document that fails halfway and is never closed is never printed, and a job is
// never printed with lines still missing. Lines print in the order they were added.
//
// Each operation reports its own database failure through BaseDatos::ReportarErrorBD and returns 0 or
// false.
class ColaImpresion {
public:
    explicit ColaImpresion(BaseDatos& baseDatos) : m_baseDatos(baseDatos) {}

    // Opens a job of document type `tipo` (one letter, TipoDocumento) for printer `idImpresora` on
    // behalf of user `usuario` (cut to 20 characters), and returns its number, or 0 when it could not be
    // opened. The printer's redirection, if any, is applied as the server's kitchen jobs apply it;
    // nerin-printq follows any further redirection when it prints.
    qint32 AbrirTrabajo(const QString& tipo, double idImpresora, const QString& usuario);

    // Appends one line to an open job. `texto` is taken in the quoted form callers prepare for the
    // database (BaseDatos::DuplicarComillas): two single quotes stand for one, and a lone single quote
    // is taken as itself, so a text prints the same whether its caller doubled its quotes or not. False
    // when the job is not open (unknown, already closed) or the line could not be stored.
    bool AgregarLinea(qint32 trabajo, const QString& texto);
    // Appends several lines, taken as AgregarLinea takes them, in order and all or none: one
    // transaction holds them, so a long document costs the database one durable write instead of one
    // per line. A failure is reported once, after the rollback. Not to be called inside another
    // transaction.
    bool AgregarLineas(qint32 trabajo, const QStringList& textos);

    // Closes an open job and releases it for printing. False when the job is not open or could not be
    // closed.
    bool CerrarTrabajo(qint32 trabajo);
    // Appends `textos` (taken as AgregarLinea takes them) to open job `trabajo` and closes it, inside
    // the caller's transaction, so that the job is released whole together with the caller's own
    // changes, or not at all. False at the first failure, which the transaction keeps and reports when
    // it ends.
    static bool AgregarYCerrar(TransaccionBD& transaccion, qint32 trabajo, const QStringList& textos);

private:
    bool ejecutar(const QString& sql, qint64* filas);
    static QString sqlLinea(qint32 trabajo, const QString& texto);
    static QString sqlCerrar(qint32 trabajo);
    static bool agregarEn(TransaccionBD& transaccion, qint32 trabajo, const QStringList& textos);
    // Whether a statement on job `trabajo` within `transaccion` changed its one row; when it ran and
    // changed none, the transaction is failed with the reason.
    static bool unaFila(TransaccionBD& transaccion, std::optional<qint64> filas, qint32 trabajo);

    BaseDatos& m_baseDatos;
};

} // namespace nerin
