#pragma once

#include "bench/sabado/Restaurante.h"

#include <QStringList>

namespace nerin::carga {

// What one service leaves in the books, for the checks after the night.
struct ServicioEsperado {
    static constexpr int kArticulos = 10;
    static constexpr int kModificadores = 5;
    static constexpr double kTotal = 1312.0;
    // Printed lines: each kitchen dish and bar drink of one service, as the kitchen slips show them.
    static constexpr int kFiletes = 2;
    static constexpr int kSopas = 3;
    static constexpr int kArracheras = 2;
    static constexpr int kLimonadas = 3;
};

// The drive script of one waiter's service at his terminal, in a loop for `segundos`: his card, a
// table for four, ten items (steaks and arracheras with their doneness, one with a free modifier,
// soups and lemonades), all sent to the kitchen and the bar at once, the account printed, paid in
// cash with change, no invoice, the table closed, and out to the access screen. Every touch is
// followed by `pausaMs` of a person's pace.
QStringList guionServicio(const TerminalCarga& terminal, int pausaMs, int segundos);

} // namespace nerin::carga
