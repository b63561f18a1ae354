#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// One staff report composed by the procedure named `procedimiento`: its queries run and its lines are
// gathered first, then imprimir() hands the whole document to the print queue, so that a long report
// costs the database a few durable writes rather than one per line.
//
// The first step that fails (a query, opening the job, adding the lines, closing it) is reported by
// the data layer as every database failure is, and is written to the event log once under the
// procedure's name; every later step does nothing. A report whose query failed never opens a job, and
// a job that failed is never closed, so a report is never printed half.
class TrabajoReporte {
public:
    TrabajoReporte(const ContextoImpresion& contexto, ColaImpresion& cola, QString procedimiento);

    // The rows of a query; no value when it failed.
    std::optional<RecordSet> consultar(const QString& sql);
    // The first field of the first row of a query, NULL without a row; no value when it failed.
    std::optional<DbValue> valor(const QString& sql);
    // Adds a line to the document; its single quotes are doubled, as the queue takes them.
    void linea(const QString& texto);
    // Queues the document as a job of type `tipo` on `impresora` for the signed-in user and closes it,
    // which releases it for printing. True when every step succeeded.
    bool imprimir(const QString& tipo, qint32 impresora);

    // The share of a ticket `ancho` columns wide that a report gives each of `partes` columns: the
    // quotient rounded to the nearest whole number, halves to even.
    static int parte(int ancho, int partes);
    // The working date "ddmmyyyy" as it prints: "dd/mm/yyyy".
    static QString fecha(const QString& ddmmyyyy);

private:
    bool fallar(const QString& paso);

    const ContextoImpresion& m_contexto;
    ColaImpresion& m_cola;
    QString m_procedimiento;
    QStringList m_lineas;
    bool m_fallado = false;
};

} // namespace nerin
