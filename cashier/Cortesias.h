#pragma once

#include "text/Currency.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace nerin {

class TerminalContext;
class TransaccionBD;

// The courtesies (discounts and charges to a house account) of one order, named by its number and
// Control: listing its accounts and the items that may carry a courtesy, giving a courtesy to a whole
// account or to chosen items, and taking courtesies away.
//
// What the rules are:
// - An item may carry a courtesy when it is live (not cancelled) and its value, its price plus its
//   modifiers' prices, is above 0; package components priced 0 carry none.
// - A courtesy is a type from Tipo_Cortesia and an amount or a percentage (0 < p <= 100). A
//   percentage becomes the amount p % of the value of the items chosen, rounded to cents (halves away
//   from zero). An amount above 0 and no more than the value of the items chosen is spread over them
//   in proportion to each one's value: each gets its share rounded down to cents, and the cents left
//   over go one each to the items whose shares lost the most in the rounding (the larger item first
//   on a tie). So every item's courtesy stays within its value and they add up to the amount.
// - A new courtesy on an item replaces the one it had: discounts never stack past the item's value.
//   An item whose share rounds to 0 is left with none.
// - Cortesia.ID_Empleado is the signed-in employee, who holds the courtesy permission (the functions
//   menu offers courtesies only then); a type marked Especial charges a house account, whose customer
//   is stored in CveCliente.
// - Refused: an account already paid (Cuenta.Pagada), and a courtesy that would leave the account's
//   total below what has already been paid on it.
//
// Giving and taking away are each one transaction in which nobody is asked anything: the Cortesia
// rows, Totalizar_Cuenta for the account and a Bitacora row. A failure rolls all of it back and is
// reported once, after the rollback; a refusal is said then too.
class Cortesias {
public:
    struct Tipo {
        qint32 id = 0;
        QString nombre;
        bool especial = false; // a charge to a house account
    };
    struct Cuenta {
        qint16 numero = 0;
        Currency total;
        bool pagada = false;
    };
    struct Articulo {
        qint64 id = 0; // ID_ProductosXCuenta
        qint16 cuenta = 0;
        QString nombre;
        Currency valor;    // price plus modifiers, taxes included
        Currency cortesia; // taken off now; 0 without a courtesy
        QString tipo;      // the courtesy's type name; empty without one
    };
    struct Monto {
        Currency valor;
        bool porcentaje = false;
    };

    Cortesias(TerminalContext& context, qint32 idComanda, qint16 control);

    // The courtesy types by number; none when the database failed (reported).
    std::optional<QList<Tipo>> tipos();
    // The order's accounts, lowest first; none when the database failed (reported).
    std::optional<QList<Cuenta>> cuentas();
    // The items of `cuenta` that may carry a courtesy, in the order they were taken; none when the
    // database failed (reported).
    std::optional<QList<Articulo>> articulos(qint16 cuenta);

    // The shares of `monto` over items worth `valores`, as described above, in cents; none when the
    // amount is not above 0 or above the sum of the values.
    static std::optional<QList<Currency>> repartir(Currency monto, const QList<Currency>& valores);

    // Asks the value keypad for an amount (or a percentage when `porcentaje`), and for a house-account
    // type the customer screen for the customer, then gives the courtesy. False when the person
    // cancelled or nothing was given.
    bool pedirYDar(qint16 cuenta, const QList<qint64>& ids, const Tipo& tipo, bool porcentaje);
    // Gives a courtesy of type `tipo` worth `monto` to the items `ids` of `cuenta`, or to all of its
    // items when `ids` is empty; a value out of range, a paid account, an item no longer on the
    // account and a total below what was paid are refused with a message. True when given.
    bool dar(qint16 cuenta, const QList<qint64>& ids, qint32 tipo, Monto monto,
             std::optional<qint64> cliente = std::nullopt);
    // Takes the courtesies off the items `ids` of `cuenta`, or off all of its items when `ids` is
    // empty. Refused on a paid account; nothing to take off is said. True when any was taken off.
    bool quitar(qint16 cuenta, const QList<qint64>& ids);

private:
    QString orden() const;
    QString articulosSql(qint16 cuenta) const;
    // Within `tx`: whether `cuenta` exists and is not paid; a refusal ends the work with its reason.
    bool cuentaAbierta(TransaccionBD& tx, qint16 cuenta);
    // Runs `trabajo` as the whole of `tx`, then says the caller's own reason for a refusal. True when
    // committed.
    bool hacer(TransaccionBD& tx, const std::function<void()>& trabajo);

    TerminalContext& m_context;
    qint32 m_idComanda;
    qint16 m_control;
};

} // namespace nerin
