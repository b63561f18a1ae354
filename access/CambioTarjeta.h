#pragma once

#include "data/RecordSet.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace nerin {

class TerminalContext;

// Giving employees their cards: the employees whose card may be changed, and storing a new card for
// one of them. A card belongs to one employee at a time: giving it takes it from whoever held it, in
// the same transaction, so that two terminals giving the same card at once still leave it signing
// in one employee only. Messages go through the context's prompts, never while the transaction is
// open.
class CambioTarjeta {
public:
    // Which employees the list holds.
    enum class Lista {
        Empleados,  // the functions menu's list: administrators only for a user administrator
        SinTarjeta, // the access screen's list: the active employees without a card
    };
    enum class Resultado {
        Cambiada,        // stored ("Contraseña cambiada")
        TarjetaInvalida, // not two tracks, or a check digest that does not match ("Tarjeta invalida")
        Fallo,           // not stored: the database failed (reported once) or the employee is gone
    };

    static constexpr int kPistas = 2;

    explicit CambioTarjeta(TerminalContext& context) : m_context(context) {}

    // The query of the list; the menu's list reads the signed-in employee's administrator flag.
    QString consulta(Lista lista) const;
    // The employees of the list, identifier first; none after a failure (reported).
    std::optional<RecordSet> empleados(Lista lista);

    // Checks the card text (upper-cased, as the sign-in reads it) and gives the card to the employee,
    // taking it from its holder; tells the person the outcome.
    Resultado asignar(qint16 idEmpleado, const QString& tarjeta);

private:
    TerminalContext& m_context;
};

} // namespace nerin
