#pragma once

#include <QString>
#include <QStringList>

namespace nerin {

class ComandaActual;
struct LineaComanda;

// Stores the lines of the account shown that are not stored yet (GuardarYPrepararNuevos): products
// through Insertar_Producto, their modifiers, the package bookkeeping and the event table, then the
// account's totals.
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
    QString comentarioDe(int fila) const;
    bool ejecutar(const QString& sql);
    void registrarFalla(const QString& descripcion);

    ComandaActual& m_comanda;
    QStringList m_avisos;
    QString m_falla;
};

} // namespace nerin
