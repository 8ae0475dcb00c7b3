#include "engine/text_to_integer.h"

#include "engine/exceptions.h"

#include <string>

namespace sumbrook {
namespace {

[[noreturn]] void fail(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t TextToInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    bool hex = false;
    if (at(i) == '$' || at(i) == 'x' || at(i) == 'X') {
        hex = true;
        i += 1;
    } else if (at(i) == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X')) {
        hex = true;
        i += 2;
    }

    // Magnitudes are gathered unsigned so that no step can overflow a signed type.
    std::uint32_t magnitude = 0;
    std::size_t digits = 0;
    if (hex) {
        for (; i < text.size() && hexDigit(text[i]) >= 0; ++i, ++digits) {
            if (digits == 8)
                fail(text);
            magnitude = (magnitude << 4) | static_cast<std::uint32_t>(hexDigit(text[i]));
        }
    } else {
        const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            const auto digit = static_cast<std::uint32_t>(text[i] - '0');
            if (magnitude > (limit - digit) / 10)
                fail(text);
            magnitude = magnitude * 10 + digit;
        }
    }
    if (digits == 0 || i != text.size())
        fail(text);
    if (negative)
        magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

} // namespace sumbrook
