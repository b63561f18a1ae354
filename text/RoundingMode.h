#pragma once

namespace nerin {

// How an amount that falls between two representable values is brought to one of them.
enum class RoundingMode {
    // Halves go to the neighbour whose last digit is even (banker's rounding); the rest to the nearest.
    HalfEven,
    // Halves go to the neighbour farther from zero; the rest to the nearest.
    HalfAwayFromZero,
    // Everything goes to the neighbour nearer to zero (truncation).
    TowardZero,
};

} // namespace nerin
