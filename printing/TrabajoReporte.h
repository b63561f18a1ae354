#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <optional>

namespace nerin {

class ColaImpresion;
struct ContextoImpresion;

// One staff report being composed into the print queue by the procedure named `procedimiento`.
//
// The first step that fails (opening the job, a query, a line, closing) is reported by the data layer
// as every database failure is, and is written to the event log once under the procedure's name;
// every later step then does nothing and fails too, so a composing function can run its steps in a
// row and look at the outcome at the end. A job that failed is never closed, so it is never printed
// half.
class TrabajoReporte {
public:
    TrabajoReporte(const ContextoImpresion& contexto, ColaImpresion& cola, QString procedimiento);

    // Opens a job of document type `tipo` on `impresora` for the signed-in user.
    bool abrir(const QString& tipo, qint32 impresora);
    // The rows of a query; no value when it failed.
    std::optional<RecordSet> consultar(const QString& sql);
    // The first field of the first row of a query, NULL without a row; no value when it failed.
    std::optional<DbValue> valor(const QString& sql);
    // Appends a line; its single quotes are doubled, as the queue takes them (free text is in it).
    bool linea(const QString& texto);
    // Closes the job, which releases it for printing. True when every step succeeded.
    bool cerrar();

    bool fallado() const { return m_fallado; }

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
    qint32 m_trabajo = 0;
    bool m_fallado = false;
};

} // namespace nerin
