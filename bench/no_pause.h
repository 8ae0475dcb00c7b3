#pragma once
// A pause source that never waits: the benchmarks measure the work, not the 50 ms pauses.
// The counter walks the whole 32-bit range so that draws keep varying.

#include "engine/pause_source.h"

namespace sumbrook::bench {

class NoPause final : public PauseSource {
public:
    void pause50ms() override {}
    std::uint32_t counter() override { return m_counter += 2654435761u; }

private:
    std::uint32_t m_counter = 1;
};

} // namespace sumbrook::bench
