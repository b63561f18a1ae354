#pragma once

#include "order/TiposAnulacion.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace nerin {

class ComandaActual;
class GuardarProductos;
class TransaccionBD;

// Cancelling the selected items of the account shown ("Cancelar"). Lines never stored only leave the
// grid; items not yet sent to the kitchen are removed (Borrar_Producto); items already sent are
// cancelled with a reason, and the cancellation slip goes to the terminal's ticket printer, with a copy
// to the kitchen. A modifier or comment line stands for its product, and a package head takes its
// components with it.
//
// Every check runs before anything changes: a refusal (no permission, payments on the account, a
// courtesy, no local printer, no reason) cancels nothing. The database work is one transaction: items
// removed, items cancelled, the account totalled and the slip queued all happen or none does. An item
// is cancelled only while nobody else has cancelled it (judged by the rows the stamp changed), so a
// second press or a second terminal cancels and prints nothing twice. Nobody is asked anything while
// the transaction is open.
class Anulacion {
public:
    // Asks for the reason; nothing when the person chose none.
    using ElegirRazon = std::function<std::optional<RazonAnulacion>()>;

    Anulacion(ComandaActual& comanda, GuardarProductos& guardar, ElegirRazon elegirRazon);

    // Cancels the items of the grid rows `filas`. True when the account must be read again (the
    // pending lines were stored and the database may have changed); false when nothing changed or the
    // pending lines could not be stored (they stay in the grid, unsaved). Refusals and failures are
    // told to the person; a database failure is also written to the event log under "cmdCancelar".
    bool cancelar(const QList<int>& filas);

private:
    struct Plan {
        QList<int> sinGuardar;   // product rows never stored
        QList<qint32> borrar;    // items not sent to the kitchen
        QList<qint32> anular;    // items sent: cancelled with a reason
        QList<qint32> revisadas; // the items sent and their package's components, checked for courtesies
    };
    // What the cancellation of sent items needs once the checks passed: the reason and the slip.
    struct Boleta {
        RazonAnulacion razon;
        QStringList encabezado; // the header's rows of the work table
        qint32 impresora = 0;
        qint32 mesa = 0;
        qint32 huespedes = 0;
    };

    Plan planear(const QList<int>& filas) const;
    // The checks for cancelling sent items, in order; the slip's header and printer when they all pass.
    std::optional<Boleta> autorizar(const Plan& plan);
    // The full name of an employee; none when the lookup failed.
    std::optional<QString> nombreEmpleado(qint32 empleado);
    // The database work; `boleta` is none when no sent item is cancelled. False after a failure.
    bool ejecutar(TransaccionBD& tx, const Plan& plan, const std::optional<Boleta>& boleta);
    void avisar(const char* texto);
    void registrarFalla(const QString& descripcion);

    ComandaActual& m_comanda;
    GuardarProductos& m_guardar;
    ElegirRazon m_elegirRazon;
};

} // namespace nerin
