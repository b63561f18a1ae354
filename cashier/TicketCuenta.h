#pragma once

#include "data/RecordSet.h"
#include "text/Currency.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class ColaImpresion;
class TerminalContext;

// The composing of one account ticket into an open print job, part by part, in the order the ticket
// prints them. Each part returns false at the first failure (a query, a line not queued) and remembers
// it; reportar() then tells the user and the event log once. Used by ImprimirCuenta and the operations
// beside it; nothing else should need it.
class TicketCuenta {
public:
    TicketCuenta(TerminalContext& context, ColaImpresion& cola, qint32 trabajo, qint32 idComanda,
                 qint16 control, qint16 numCuenta);

    // Runs "ImprimirTicket" for the account's item lines.
    bool productos();
    bool encabezado();
    // The item lines read by productos(), adding up the subtotal and the tax.
    bool lineasProductos();
    void fijarSumas(Currency subtotal, Currency impuesto) {
        m_subtotal = subtotal;
        m_impuesto = impuesto;
    }
    bool totales();
    bool pagos();
    bool concursoYPie();
    bool resumenConsumo();
    // The lines resumenConsumo() queues, composed without queueing them; none after a failure.
    std::optional<QStringList> lineasResumenConsumo();
    bool cerrar();

    void falla(const QString& descripcion, qint64 numero = 0);
    // The print queue refused the last step (opening, a line, closing): its database failure, which
    // the queue has already shown, or else `descripcion`.
    void fallaDeCola(const QString& descripcion);
    // Shows "Error al imprimir el ticket: " + the failure, unless the print queue already showed it,
    // and logs it under "Imprimir ticket"; false.
    bool reportar();

private:
    bool agregar(const QString& linea);
    std::optional<RecordSet> consulta(const QString& sql);
    QString cuentaSql(const QString& prefijo) const;
    bool lealtad(Currency total);
    bool cargosACuenta();

    TerminalContext& m_context;
    ColaImpresion& m_cola;
    qint32 m_trabajo;
    qint32 m_idComanda;
    qint16 m_control;
    qint16 m_numCuenta;
    int m_ancho;
    std::optional<RecordSet> m_productos;
    Currency m_subtotal;
    Currency m_impuesto;
    QString m_error;
    qint64 m_numero = 0;
    bool m_reportada = false;
};

} // namespace nerin
