#pragma once

#include "reports/CifrasGraficas.h"
#include "reports/HojaResumen.h"
#include "text/Currency.h"

#include <QList>
#include <optional>

namespace nerin {

class TerminalContext;

// The guests each waiter served on the working date (FrmRepHuespedes): one row per waiter of
// Vw_HuespedesXEmpleado in name order, with the guests and the tables opened; the waiter's identifier
// sits in a hidden column. The charts show every waiter's takings by hour and by week, and the guests
// per waiter as the grid shows them.
class RepHuespedes {
public:
    static constexpr int kColumnaEmpleado = 3;

    // One table a waiter opened on the working date.
    struct Mesa {
        qint32 numMesa = 0;
        qint64 huespedes = 0;
        Currency total; // what its accounts amount to
        bool abierta = false;

        bool operator==(const Mesa&) const = default;
    };

    explicit RepHuespedes(TerminalContext& context);

    // Reads the sheet and the charts' figures. False when a statement failed (reported once): the
    // sheet then holds no rows.
    bool cargar();
    const HojaResumen& hoja() const { return m_hoja; }
    const CifrasGraficas& cifras() const { return m_cifras; }

    // The tables that the waiter of body row `fila` opened on the working date, by table number. With
    // no waiter chosen the person is told "Seleccione un mesero" and there is no value; none either
    // when the database failed (reported).
    std::optional<QList<Mesa>> mesas(std::optional<int> fila);

private:
    bool cargarHoja();

    TerminalContext& m_context;
    HojaResumen m_hoja;
    CifrasGraficas m_cifras;
};

} // namespace nerin
