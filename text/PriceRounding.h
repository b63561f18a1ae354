#pragma once

#include "text/Currency.h"

namespace nerin {

// The rounding applied to item prices and account totals. With n the whole part of x and f the
// fraction left over:
//   f above .90  -> n + 1        (99.95 -> 100)
//   f below .10  -> n            (100.05 -> 100)
//   otherwise    -> x rounded to cents, halves to even (100.45 stays, 1.125 -> 1.12, 1.135 -> 1.14)
// Exactly .90 and .10 fall in the last case and stay.
//
// Negative amounts are rounded as the mirror image of their magnitude: n is the whole part toward
// zero and f the magnitude of the fraction, so -99.95 -> -100 and -100.05 -> -100.
Currency redondearPrecio(Currency x);

} // namespace nerin
