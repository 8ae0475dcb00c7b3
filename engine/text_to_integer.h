#pragma once

#include <cstdint>
#include <string_view>

namespace sumbrook {

// Converts a box's text to a 32-bit integer: leading blanks, one optional sign, then
// decimal digits or a hexadecimal form ("$", "x", "X", "0x", "0X" and 1 to 8 digits),
// and nothing after the digits. Throws EConvertError
// "'<text>' is not a valid integer value" otherwise.
std::int32_t TextToInteger(std::string_view text);

} // namespace sumbrook
