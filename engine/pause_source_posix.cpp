#include "engine/pause_source.h"

#include <chrono>
#include <thread>
#include <time.h>

namespace sumbrook {
namespace {

class PosixPauseSource final : public PauseSource {
public:
    void pause50ms() override { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

    std::uint32_t counter() override {
        timespec ts{};
        if (clock_gettime(CLOCK_MONOTONIC, &ts) == 0) {
            const std::uint64_t ns = static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u +
                                     static_cast<std::uint64_t>(ts.tv_nsec);
            return static_cast<std::uint32_t>(ns);
        }
        // No monotonic clock: fall back to milliseconds, as a tick count would give.
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<std::uint32_t>(ms.count());
    }
};

} // namespace

std::unique_ptr<PauseSource> makeSystemPauseSource() {
    return std::make_unique<PosixPauseSource>();
}

} // namespace sumbrook
