#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace nerin {

class BaseDatos;
class TransaccionBD;

// The print-queue control: every printed document of the terminal is handed over through it as a job
// of marked-up lines, which the print-queue program (nerin-printq) prints. Jobs live in the queue
// tables (Cola_Trabajo, Cola_Linea), where the server's kitchen procedures put theirs too.
//
// Calling order: AbrirTrabajo, any number of AgregarLinea, CerrarTrabajo. A job's lines are kept here
// until it is closed, and closing writes the whole job in one transaction: a document that fails
// halfway, or whose terminal goes down before it is closed, leaves nothing in the queue, and a job is
// never printed with lines missing. Lines print in the order they were added.
//
// Closing reports its own database failure through BaseDatos::ReportarErrorBD and returns false.
class ColaImpresion {
public:
    explicit ColaImpresion(BaseDatos& baseDatos) : m_baseDatos(baseDatos) {}

    // Opens a job of document type `tipo` (one letter, TipoDocumento) for printer `idImpresora` on
    // behalf of user `usuario` (cut to 20 characters), and returns its handle for the calls below, or 0
    // for a type or printer that cannot be. The printer's redirection, if any, is applied when the job
    // is written, as the server's kitchen jobs apply it; nerin-printq follows any further redirection
    // when it prints.
    qint32 AbrirTrabajo(const QString& tipo, double idImpresora, const QString& usuario);

    // Appends one line to an open job. `texto` is taken in the quoted form callers prepare for the
    // database (BaseDatos::DuplicarComillas): two single quotes stand for one, and a lone single quote
    // is taken as itself, so a text prints the same whether its caller doubled its quotes or not. False
    // when the job is not open (unknown, already closed).
    bool AgregarLinea(qint32 trabajo, const QString& texto);
    // Appends several lines, taken as AgregarLinea takes them, in order.
    bool AgregarLineas(qint32 trabajo, const QStringList& textos);

    // Writes the open job with its lines and releases it for printing, all in one transaction (so a
    // long document costs the database one durable write). False when the job is not open or could
    // not be written; it is closed either way. Not to be called inside another transaction.
    bool CerrarTrabajo(qint32 trabajo);
    // Why the last CerrarTrabajo could not write its job, as the database said and as it was already
    // reported; empty when it wrote it or the job was not open.
    const QString& fallaReportada() const { return m_fallaReportada; }
    // Writes open job `trabajo` with its lines and then `textos` (taken as AgregarLinea takes them),
    // released for printing, inside the caller's transaction, so that the job is there whole together
    // with the caller's own changes, or not at all. The job stays open here, so that a run of the
    // caller's work again writes it again. False at the first failure, which the transaction keeps and
    // reports when it ends.
    bool AgregarYCerrar(TransaccionBD& transaccion, qint32 trabajo, const QStringList& textos) const;

private:
    struct Trabajo {
        QString tipo;
        QString impresora;
        QString usuario;
        QStringList lineas;
    };

    static QString sqlLinea(qint32 trabajo, const QString& texto);
    static QString sqlCerrar(qint32 trabajo);
    // Writes `trabajo` with its lines and then `mas`, released for printing, within `transaccion`.
    static bool escribirEn(TransaccionBD& transaccion, const Trabajo& trabajo, const QStringList& mas);
    // Whether a statement on job `trabajo` within `transaccion` changed its one row; when it ran and
    // changed none, the transaction is failed with the reason.
    static bool unaFila(TransaccionBD& transaccion, std::optional<qint64> filas, qint32 trabajo);

    BaseDatos& m_baseDatos;
    std::map<qint32, Trabajo> m_abiertos;
    qint32 m_ultimo = 0;
    QString m_fallaReportada;
};

} // namespace nerin
