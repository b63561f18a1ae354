#pragma once

#include "reports/CifrasGraficas.h"

#include <QDate>
#include <optional>

namespace nerin {

class BaseDatos;
class DbValue;

// The day's takings that the summary charts show besides their grid: the payments (without tips) of
// the orders of the working date, by the hour they were received, and the same figure for the same
// weekday of the previous weeks. Orders count for the waiter who holds them, as in the payment
// summaries. The working date's own bar is the sum of its hours, so the two charts always agree.
class VentasDelDia {
public:
    // A month of the same weekday: enough to see a trend, and few enough days that reading them costs
    // the same however much history the database holds.
    static constexpr int kSemanas = 4;

    // `empleado` limits the figures to one waiter's orders; none means every waiter.
    VentasDelDia(BaseDatos& baseDatos, std::optional<qint32> empleado);

    // Fills `porHora` and `semanas` of `cifras` (the hours with payments only; the weeks only when an
    // earlier one had payments). False when the database failed (reported): both are then empty.
    bool cargar(CifrasGraficas& cifras);

    // The working date "ddmmyyyy" as a date, however the database typed the parameter's value;
    // invalid when it is missing or malformed.
    static QDate fechaTrabajo(const DbValue& valor);
    static QString textoFecha(QDate fecha) { return fecha.toString(QStringLiteral("ddMMyyyy")); }

private:
    QString condicionEmpleado() const;

    BaseDatos& m_baseDatos;
    std::optional<qint32> m_empleado;
};

} // namespace nerin
