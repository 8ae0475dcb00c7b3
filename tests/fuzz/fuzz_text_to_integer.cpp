// Checks TextToInteger against a plain, slower reference on arbitrary bytes.
#include "engine/exceptions.h"
#include "engine/text_to_integer.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<std::int32_t> reference(std::string s) {
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    std::string prefix2 = s.substr(0, 2);
    bool hex = false;
    if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
        hex = true;
        s.erase(0, 1);
    } else if (prefix2 == "0x" || prefix2 == "0X") {
        hex = true;
        s.erase(0, 2);
    }
    if (s.empty())
        return std::nullopt;
    for (char c : s)
        if (!(hex ? isHex(c) : isDigit(c)))
            return std::nullopt;
    if (hex) {
        if (s.size() > 8)
            return std::nullopt;
        const std::uint32_t v = static_cast<std::uint32_t>(std::strtoul(s.c_str(), nullptr, 16));
        return static_cast<std::int32_t>(negative ? 0u - v : v);
    }
    s.erase(0, std::min(s.find_first_not_of('0'), s.size() - 1));
    if (s.size() > 10)
        return std::nullopt;
    const long long v = (negative ? -1 : 1) * std::stoll(s);
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> expected = reference(text);
    try {
        const std::int32_t got = sumbrook::TextToInteger(text);
        if (!expected || *expected != got)
            std::abort();
    } catch (const sumbrook::EConvertError& e) {
        if (expected || e.message() != "'" + text + "' is not a valid integer value")
            std::abort();
    }
    return 0;
}
