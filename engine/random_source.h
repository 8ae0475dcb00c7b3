#pragma once
// The drill's pseudo-random generator: a 32-bit linear congruential generator whose
// output is scaled into 0 … n-1 by the upper half of a 64-bit product.

#include <cstdint>

namespace sumbrook {

class PauseSource;

class RandomSource {
public:
    explicit RandomSource(PauseSource& pauses) : m_pauses(pauses) {}

    // seed := seed * 134775813 + 1 (mod 2^32); returns (seed * (uint32)n) >> 32.
    // A negative n is taken as 2^32 + n, so the result may exceed any operand.
    std::int32_t NextRandom(std::int32_t n);
    // Pause, then take the seed from the counter.
    void Reseed();
    std::int32_t ReseedAndDraw(std::int32_t n);

    std::uint32_t seed() const { return m_seed; }
    void setSeed(std::uint32_t seed) { m_seed = seed; }

private:
    PauseSource& m_pauses;
    std::uint32_t m_seed = 0;
};

} // namespace sumbrook
