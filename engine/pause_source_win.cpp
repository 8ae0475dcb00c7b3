#include "engine/pause_source.h"

#include <windows.h>

namespace sumbrook {
namespace {

class WindowsPauseSource final : public PauseSource {
public:
    void pause50ms() override { Sleep(50); }

    std::uint32_t counter() override {
        LARGE_INTEGER value;
        if (QueryPerformanceCounter(&value)) {
            // Only the low half: it moves fastest, which is what makes draws differ.
            return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value.QuadPart));
        }
        return GetTickCount();
    }
};

} // namespace

std::unique_ptr<PauseSource> makeSystemPauseSource() {
    return std::make_unique<WindowsPauseSource>();
}

} // namespace sumbrook
