#pragma once
// What the random draw needs from the platform: a 50 ms pause and a counter to reseed
// from. Injected so that tests count pauses and choose counter values without sleeping.

#include <cstdint>
#include <memory>

namespace sumbrook {

class PauseSource {
public:
    virtual ~PauseSource() = default;
    virtual void pause50ms() = 0;
    // Low 32 bits of a high-resolution counter, or of a millisecond tick count where
    // the platform has no such counter.
    virtual std::uint32_t counter() = 0;
};

// The platform's own: sleep, then a monotonic nanosecond clock on POSIX, the
// performance counter on Windows.
std::unique_ptr<PauseSource> makeSystemPauseSource();

} // namespace sumbrook
