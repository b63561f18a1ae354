#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace nerin {

class ComandaActual;
class TransaccionBD;
struct LineaComanda;

// Stores the lines of the account shown that are not stored yet (GuardarYPrepararNuevos): products
// through Insertar_Producto, their modifiers, the package bookkeeping and the event table, then the
// account's totals. It also carries the dispatch marks to the database: a line marked to go to the
// kitchen now is marked prepared and its kitchen lines are queued in the same step, and only when
// the database says it had not gone yet, so that each item reaches the kitchen exactly once whichever
// terminal or course sends it; a line held for its course is marked held.
//
// The whole step is one transaction: either every line it stores is in the database with its
// modifiers and the account total includes them, or nothing of it is and the lines stay in the grid
// unstored, to be stored the next time. Lines refused on the way (sold out since they were added, a
// modifier given twice) are left out and said once the transaction is over, so that no message keeps
// the database locked for the other terminals while it waits for a touch. Likewise a failure of the
// database is reported once the step is rolled back, followed by a message that the lines are still
// to be stored, and the step's event-log lines are written only for a step that was stored.
class GuardarProductos {
public:
    explicit GuardarProductos(ComandaActual& comanda);

    // True when everything that could be stored was; false when the database failed and nothing was.
    // After false the account must not be left as if it were stored: the lines are only in the grid.
    [[nodiscard]] bool GuardarYPrepararNuevos();

private:
    enum class Paso { Guardada, Rechazada, Falla };

    Paso guardarProducto(TransaccionBD& tx, int fila);
    Paso guardarModificador(TransaccionBD& tx, int fila, qint32 folioProducto);
    // Sends to the kitchen the lines marked to go now and records the held ones; `guardadas` are the
    // rows stored in this step. The rows sent go to `enviadas`.
    bool despachar(TransaccionBD& tx, const QList<int>& guardadas, QList<int>* enviadas);
    QString comentarioDe(int fila) const;
    void registrarFalla(const QString& descripcion);

    ComandaActual& m_comanda;
    QStringList m_avisos;
};

} // namespace nerin
