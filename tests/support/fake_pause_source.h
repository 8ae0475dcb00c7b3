#pragma once
// Counts pauses instead of sleeping and hands out chosen counter values (then a simple
// sequence), so draws are exact and tests never wait.

#include "engine/pause_source.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace sumbrook::testing {

class FakePauseSource final : public PauseSource {
public:
    void pause50ms() override {
        ++pauses;
        if (onPause)
            onPause();
    }
    std::uint32_t counter() override {
        if (!queued.empty()) {
            const std::uint32_t v = queued.front();
            queued.pop_front();
            return v;
        }
        // An odd step walks the whole 32-bit range, so long runs still vary.
        next += 2654435761u;
        return next;
    }

    int pauses = 0;
    std::function<void()> onPause;
    std::deque<std::uint32_t> queued;
    std::uint32_t next = 12345u;
};

} // namespace sumbrook::testing
