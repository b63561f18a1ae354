#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace nerin {

class TerminalContext;

// Which open orders carry a table number, as every screen that gives an order a number asks before
// it does, and the number a take-away or delivery order gets when none is typed.
class OcupacionMesa {
public:
    // An open order found under a number (a row of Vw_MesaOcupada).
    struct Orden {
        qint32 idComanda = 0;
        qint32 control = 0;
        qint32 idEmpleado = 0;
        QString nombre; // the full name of the waiter who opened it
    };

    // The number of a take-away or delivery order when no table at all is open.
    static constexpr qint16 kMesaSinAbiertas = 1000;

    explicit OcupacionMesa(TerminalContext& context);

    // What numeroTecleado() gives when nothing was typed and no number was required.
    static constexpr qint16 kSinNumero = -1;

    // The table number typed on a keypad (only its digits count): kSinNumero when none was typed and
    // none is `obligatorio`; nothing, said to the person, when one was required and none typed, or
    // when it does not fit a table number (16 bits: a longer one is refused, never cut down to another
    // table's number).
    std::optional<qint16> numeroTecleado(const QString& numero, bool obligatorio);

    // The open orders with number `mesa`. A failure is reported to the person and written to the event
    // log under `procedimiento`, and gives no value.
    std::optional<QList<Orden>> ordenes(qint16 mesa, const QString& procedimiento);
    // MAX(Num_Mesa) + 1 over every open table; 0 when none is open; -1 when it does not fit a table
    // number.
    qint32 siguienteMesa();
    // The number a take-away or delivery order gets: the next free one, 1000 when no table is open;
    // -1 (told to the person) when none fits.
    qint32 numeroLibre();
    // "La mesa N está abierta por <nombre>".
    void avisarOcupada(qint16 mesa, const QString& nombre);
    // Reports the connection's last failure to the person and writes it to the event log.
    void reportarFallo(const QString& procedimiento);

private:
    TerminalContext& m_context;
};

} // namespace nerin
