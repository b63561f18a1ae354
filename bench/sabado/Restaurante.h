#pragma once

#include "base/Status.h"

#include <QList>
#include <QString>

namespace nerin {
class Connection;
}

namespace nerin::carga {

// One terminal of the load test, with the waiter who works at it and the table he serves there.
struct TerminalCarga {
    int numero = 0;
    QString nombre;
    QString tarjeta; // the text the card reader sends for the waiter's card
    int mesa = 0;
};

// The demo restaurant made ready for `cuantas` terminals working at once (2 to 9): terminals beyond
// the demo's two, copies of the dining-room one, each with a ticket printer of its own; one waiter
// per terminal with a card of his own under the demo card key, clocked in; terminal k serves table
// 30+k. An employee signs in at one terminal at a time, so each terminal needs its own waiter.
Status prepararRestaurante(Connection& conexion, int cuantas, QList<TerminalCarga>* terminales);

} // namespace nerin::carga
