#pragma once

#include "text/Currency.h"

#include <optional>

namespace nerin {

class BaseDatos;
class Prompts;

// The dollar exchange rate kept for the whole restaurant (parameter TC_US): read, asked for on the
// value keypad, and stored.
class TipoCambio {
public:
    TipoCambio(BaseDatos& baseDatos, Prompts& prompts);

    // The stored rate; zero when there is none.
    Currency actual();
    // Asks for a new rate starting from `inicial`. Nothing when cancelled, and a rate of zero or less
    // is refused: dollar payments would be worth nothing.
    std::optional<Currency> pedir(const Currency& inicial);
    // Stores the rate, written with a decimal point whatever the machine's locale. False when the
    // database refused it (the database layer has reported why).
    bool escribir(const Currency& tasa);

private:
    BaseDatos& m_baseDatos;
    Prompts& m_prompts;
};

} // namespace nerin
