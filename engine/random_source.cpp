#include "engine/random_source.h"

#include "engine/pause_source.h"
#include "engine/wrap32.h"

namespace sumbrook {

std::int32_t RandomSource::NextRandom(std::int32_t n) {
    m_seed = m_seed * 134775813u + 1u;
    const std::uint64_t product =
        static_cast<std::uint64_t>(m_seed) * static_cast<std::uint32_t>(n);
    return wrap32::toSigned(static_cast<std::uint32_t>(product >> 32));
}

void RandomSource::Reseed() {
    m_pauses.pause50ms();
    m_seed = m_pauses.counter();
}

std::int32_t RandomSource::ReseedAndDraw(std::int32_t n) {
    Reseed();
    return NextRandom(n);
}

} // namespace sumbrook
