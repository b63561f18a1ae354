#pragma once

#include "tables/MesasAbiertas.h"
#include "tables/OcupacionMesa.h"

#include <QString>

namespace nerin {

class TerminalContext;
class TransaccionBD;

// The rules of joining one open order into another (FrmTransferirMesa in UnirMesas mode): the source
// order's accounts, items and payments go to the open order that carries the typed number, and the
// source closes.
//
// Both orders are locked for the employee first, so no other terminal stores on or collects either
// of them meanwhile. The join itself is one transaction: a failure rolls all of it back and is
// reported once it has ended; both locks are released on every way out.
class UnirMesas {
public:
    using Fila = MesasAbiertas::Fila;

    struct Resultado {
        bool hecho = false;        // the source is closed and everything of it is on the target
        bool vaciarNumero = false; // the screen empties its number box
    };

    explicit UnirMesas(TerminalContext& context);

    // "Aceptar" with `numero` typed: joins `origen` into the open order with that number. Refused
    // with a message, changing nothing: no number; no other open order with it ("Seleccione una mesa
    // para unir"); an order of another waiter when the employee may see only their own tables ("La
    // Mesa N està abierta por <name>"); either order held by somebody else ("Mesa en uso por <name>").
    //
    // The target keeps its accounts and gains those it lacked, each with its own paid mark; an account
    // both had is paid only when it was paid on both sides or the source's had no live item. Every
    // account of the target is totalled again.
    Resultado unir(const Fila& origen, const QString& numero);

private:
    // The statements of the join, in `tx`; false when they did not all do what they must.
    bool juntar(TransaccionBD& tx, const Fila& origen, const Fila& destino);
    void soltar(const Fila& fila);

    TerminalContext& m_context;
    OcupacionMesa m_ocupacion;
};

} // namespace nerin
