#pragma once
// 32-bit two's-complement arithmetic that wraps around on purpose. Signed overflow is
// undefined in C++, so every sum and difference goes through uint32_t.

#include <cstdint>

namespace sumbrook::wrap32 {

constexpr std::int32_t toSigned(std::uint32_t v) {
    // Well defined: values above INT32_MAX map to their negative counterpart.
    return v <= 0x7FFFFFFFu ? static_cast<std::int32_t>(v) : -static_cast<std::int32_t>(~v) - 1;
}

constexpr std::int32_t add(std::int32_t a, std::int32_t b) {
    return toSigned(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t sub(std::int32_t a, std::int32_t b) {
    return toSigned(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

} // namespace sumbrook::wrap32
