#pragma once
// Chooses counter values that make the generator's next draw come out as a test wants.

#include <cstdint>

namespace sumbrook::testing {

// The multiplicative inverse of the generator's factor modulo 2^32.
inline constexpr std::uint32_t kInverseFactor = 3645876429u;

// The counter value after which the seed becomes `seed`.
constexpr std::uint32_t counterForSeed(std::uint32_t seed) {
    return (seed - 1u) * kInverseFactor;
}

// The counter value after which NextRandom(n) returns `value` (0 <= value < n).
constexpr std::uint32_t counterForDraw(std::uint32_t value, std::uint32_t n) {
    // The smallest seed whose scaled value is `value`: ceil(value * 2^32 / n).
    const std::uint64_t seed = ((static_cast<std::uint64_t>(value) << 32) + n - 1) / n;
    return counterForSeed(static_cast<std::uint32_t>(seed));
}

// Operator draws: NextRandom(2) + 1 is 1 (plus) below 2^31, 2 (minus) from it on.
inline constexpr std::uint32_t kPlusCounter = counterForDraw(0, 2);
inline constexpr std::uint32_t kMinusCounter = counterForDraw(1, 2);

} // namespace sumbrook::testing
