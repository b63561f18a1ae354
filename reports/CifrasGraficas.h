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

// What the charts of a summary screen show: the day's takings by hour; the screen's own figures,
// taken from its grid rows (by payment type, by category, guests per waiter) under their title; and
// the working date beside the same weekday of the previous weeks (oldest first, the working date
// last; empty when there is no history to compare).
struct CifrasGraficas {
    QList<Barra> porHora;
    QList<Barra> porConcepto;
    QString tituloConcepto = QStringLiteral("Por tipo de pago");
    QList<Barra> semanas;
};

} // namespace nerin
