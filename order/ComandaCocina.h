#pragma once

#include <QString>

namespace nerin {

class ComandaActual;
class TransaccionBD;

// The kitchen lines of one dispatch, collected on the connection's own #Tmp_Imprimir (so terminals
// never see each other's) and handed to the server's print queue with one Mandar_Impresion: each
// product large and bold, then its modifiers and its comment, one line per printer of its group.
// It runs inside the caller's transaction, so the lines are queued exactly when the items are marked
// prepared, or neither happens; a failure is kept by the transaction.
class ComandaCocina {
public:
    ComandaCocina(ComandaActual& comanda, TransaccionBD& transaccion);
    ~ComandaCocina();

    ComandaCocina(const ComandaCocina&) = delete;
    ComandaCocina& operator=(const ComandaCocina&) = delete;

    // Adds the lines of the product on grid row `fila` and of the stored modifier and comment lines
    // under it.
    // A product without a printer group gives no line. False when the database failed.
    bool agregarProducto(int fila);
    // Queues what was added, when anything was. False when the database failed.
    bool enviar();

private:
    bool abrir();
    bool insertar(const QString& texto, const char* tipo, qint32 grupo);

    ComandaActual& m_comanda;
    TransaccionBD& m_tx;
    bool m_abierta = false;
    int m_lineas = 0;
};

} // namespace nerin
