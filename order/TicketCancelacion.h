#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class BaseDatos;

// The header of a cancellation slip: who authorised the cancellation, whose order it was, the table,
// the order and the reason. The same header opens the slip when items are cancelled and when a
// cancelled item's slip is printed again.
class TicketCancelacion {
public:
    // Printed as given: the date and time of the cancellation ("dd/mm/yyyy hh:mm").
    QString fechaHora;
    // The employee who authorised the cancellation.
    QString gerente;
    // The full name of the order's waiter (mesero()).
    QString empleado;
    QString mesa;
    qint32 idComanda = 0;
    QString razon;

    // The header's lines as they print.
    QStringList lineas() const;
    // The header as one text, its lines joined by "<N>", with its quotes doubled as the database and
    // the print queue take texts: names are free text and may hold quotes.
    QString encabezado() const;

    // The full name of the waiter of order `idComanda`, `control`; empty when the order has none, no
    // value when the lookup failed (reported by the data layer).
    static std::optional<QString> mesero(BaseDatos& baseDatos, qint32 idComanda, qint32 control);
};

} // namespace nerin
