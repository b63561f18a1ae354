#include "text/PriceRounding.h"

namespace nerin {

Currency redondearPrecio(Currency x) {
    constexpr qint64 kLowerBound = Currency::kScale / 10;     // .10
    constexpr qint64 kUpperBound = Currency::kScale * 9 / 10; // .90

    const qint64 whole = x.wholePart();
    const qint64 fraction = x.raw() - whole * Currency::kScale;
    const qint64 fractionMagnitude = fraction < 0 ? -fraction : fraction;
    if (fractionMagnitude > kUpperBound)
        return Currency::fromUnits(whole + (x.raw() < 0 ? -1 : 1));
    if (fractionMagnitude < kLowerBound)
        return Currency::fromUnits(whole);
    return x.roundedTo(2, RoundingMode::HalfEven);
}

} // namespace nerin
