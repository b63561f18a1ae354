#pragma once

#include "text/Currency.h"

#include <QList>
#include <QString>

namespace nerin {

// One bar of a summary chart: its caption and its amount.
struct Barra {
    QString etiqueta;
    Currency monto;

    bool operator==(const Barra&) const = default;
};

// What the charts of a summary screen show: the day's takings by hour, the amounts by payment type
// (taken from the screen's own grid rows), and the working date beside the same weekday of the
// previous weeks (oldest first, the working date last; empty when there is no history to compare).
struct CifrasGraficas {
    QList<Barra> porHora;
    QList<Barra> porTipoPago;
    QList<Barra> semanas;
};

} // namespace nerin
