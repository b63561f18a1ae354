#pragma once

#include <QString>
#include <QtGlobal>

namespace nerin {

class BaseDatos;
class Bitacora;
class TerminalContext;

// The lock on an order: Comanda.EnUsoPor names the employee who has the order on a screen (0: free).
// An employee may take an order that is free, that the employee already holds, or that is held by
// somebody who is no longer an employee; never one that another employee holds.
class BloqueoComanda {
public:
    enum class Estado {
        Tomada,   // the order is now held by the employee
        EnUso,    // another employee holds it; `nombre` says who
        NoExiste, // no order has this number
        Fallo,    // the database failed; already reported
    };
    struct Resultado {
        Estado estado = Estado::Fallo;
        QString nombre; // the holder's full name, with EnUso
    };

    BloqueoComanda(BaseDatos& baseDatos, Bitacora& bitacora);

    // The full name of the employee other than `empleado` who holds order `idComanda`, or "" when
    // nobody else does (a failed read also gives "").
    QString enUsoPor(qint32 idComanda, qint16 empleado);

    // Takes the lock on `idComanda` for `empleado`. The check and the take are one conditional update,
    // so of two terminals asking for the same free order at the same moment exactly one gets it and
    // the other learns who did.
    Resultado tomar(qint32 idComanda, qint16 empleado);

    // Takes the lock on `idComanda` for the signed-in employee, for a screen about to show the order.
    // When it is not taken the person is told why ("Mesa en uso por " and the holder's full name, or
    // "La Mesa ya fue cerrada!" for an order that is gone); a database failure, already reported by
    // the data layer, is written to the event log under `operacion`. True when the lock is held.
    static bool tomarOAvisar(TerminalContext& context, qint32 idComanda, const QString& operacion);

private:
    BaseDatos& m_baseDatos;
    Bitacora& m_bitacora;
};

} // namespace nerin
