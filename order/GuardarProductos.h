#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace nerin {

class ComandaActual;
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
// the database locked for the other terminals while it waits for a touch.
class GuardarProductos {
public:
    explicit GuardarProductos(ComandaActual& comanda);

    // True when everything that could be stored was; false when the database failed and nothing was.
    bool GuardarYPrepararNuevos();

private:
    enum class Paso { Guardada, Rechazada, Falla };

    Paso guardarProducto(int fila, qint32 paquete);
    Paso guardarModificador(int fila, qint32 folioProducto);
    // Sends to the kitchen the lines marked to go now and records the held ones; `guardadas` are the
    // rows stored in this step. The rows sent go to `enviadas`.
    bool despachar(const QList<int>& guardadas, QList<int>* enviadas);
    QString comentarioDe(int fila) const;
    bool ejecutar(const QString& sql);
    void registrarFalla(const QString& descripcion);

    ComandaActual& m_comanda;
    QStringList m_avisos;
    QString m_falla;
};

} // namespace nerin
