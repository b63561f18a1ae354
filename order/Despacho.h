#pragma once

#include <QList>
#include <QString>

namespace nerin {

class ComandaActual;
class GuardarProductos;

// Sending the account's items to the kitchen: now ("Preparar"), held for their course ("Retener"),
// and course by course ("Tiempo", and releasing a course from its "Tiempo:" header).
class Despacho {
public:
    struct Tiempo {
        qint16 valor = 0;
        QString caption; // "Trabaja y Sale" for 0, "Tiempo <n>" for the others
    };

    Despacho(ComandaActual& comanda, GuardarProductos& guardar);

    // Marks the products of the rows to be prepared now and sends them, storing whatever is pending
    // in the same step. A package component takes its whole package with it. Rows already sent are
    // left alone. False when nothing could be sent.
    bool preparar(const QList<int>& filas);
    // Holds the products of the rows for their course; a row already sent is refused with a message.
    void retener(const QList<int>& filas);

    // The serving times offered: "Trabaja y Sale" and 1 to Num_Tiempos.
    QList<Tiempo> tiempos();
    // Makes `tiempo` the account's current serving time.
    bool elegirTiempo(qint16 tiempo);
    // Releases the course of the "Tiempo:" header selected, after storing what is pending.
    bool siguienteTiempo(const QList<int>& filas);

private:
    void marcarParaPreparar(int fila);

    ComandaActual& m_comanda;
    GuardarProductos& m_guardar;
};

} // namespace nerin
